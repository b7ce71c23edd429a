#include "forms/core/IniFiles.h"

#include <algorithm>
#include <charconv>

#include "forms/core/Classes.h"

namespace forms {

namespace {
std::string trim(const std::string& s) {
  const size_t b = s.find_first_not_of(" \t\r");
  if (b == std::string::npos) return {};
  const size_t e = s.find_last_not_of(" \t\r");
  return s.substr(b, e - b + 1);
}
}  // namespace

void TMemIniFile::SetStrings(const std::vector<std::string>& lines) {
  sections_.clear();
  Section* current = nullptr;
  for (const std::string& raw : lines) {
    const std::string line = trim(raw);
    if (line.empty() || line[0] == ';') continue;
    if (line.front() == '[' && line.back() == ']') {
      current = &findOrAdd(line.substr(1, line.size() - 2));
      continue;
    }
    const size_t eq = line.find('=');
    if (current == nullptr || eq == std::string::npos) continue;
    current->entries.push_back({trim(line.substr(0, eq)), line.substr(eq + 1)});
  }
}

std::vector<std::string> TMemIniFile::GetStrings() const {
  std::vector<std::string> lines;
  for (const Section& s : sections_) {
    lines.push_back("[" + s.name + "]");
    for (const Entry& e : s.entries) lines.push_back(e.ident + "=" + e.value);
    lines.emplace_back();
  }
  return lines;
}

const TMemIniFile::Section* TMemIniFile::find(const std::string& section) const {
  for (const Section& s : sections_)
    if (SameName(s.name, section)) return &s;
  return nullptr;
}

TMemIniFile::Section& TMemIniFile::findOrAdd(const std::string& section) {
  if (const Section* s = find(section)) return const_cast<Section&>(*s);
  sections_.push_back({section, {}});
  return sections_.back();
}

const TMemIniFile::Entry* TMemIniFile::find(const std::string& section, const std::string& ident) const {
  const Section* s = find(section);
  if (s == nullptr) return nullptr;
  for (const Entry& e : s->entries)
    if (SameName(e.ident, ident)) return &e;
  return nullptr;
}

std::string TMemIniFile::ReadString(const std::string& section, const std::string& ident,
                                    const std::string& def) const {
  const Entry* e = find(section, ident);
  return e != nullptr ? e->value : def;
}

void TMemIniFile::WriteString(const std::string& section, const std::string& ident, const std::string& value) {
  if (const Entry* e = find(section, ident)) {
    const_cast<Entry*>(e)->value = value;
    return;
  }
  findOrAdd(section).entries.push_back({ident, value});
}

int32_t TMemIniFile::ReadInteger(const std::string& section, const std::string& ident, int32_t def) const {
  const std::string text = trim(ReadString(section, ident, {}));
  int32_t v = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  return (ec == std::errc() && end == text.data() + text.size() && !text.empty()) ? v : def;
}

void TMemIniFile::WriteInteger(const std::string& section, const std::string& ident, int32_t value) {
  WriteString(section, ident, std::to_string(value));
}

bool TMemIniFile::ReadBool(const std::string& section, const std::string& ident, bool def) const {
  return ReadInteger(section, ident, def ? 1 : 0) != 0;
}

void TMemIniFile::WriteBool(const std::string& section, const std::string& ident, bool value) {
  WriteString(section, ident, value ? "1" : "0");
}

bool TMemIniFile::SectionExists(const std::string& section) const { return find(section) != nullptr; }

bool TMemIniFile::ValueExists(const std::string& section, const std::string& ident) const {
  return find(section, ident) != nullptr;
}

void TMemIniFile::EraseSection(const std::string& section) {
  std::erase_if(sections_, [&](const Section& s) { return SameName(s.name, section); });
}

void TMemIniFile::DeleteKey(const std::string& section, const std::string& ident) {
  if (const Section* s = find(section))
    std::erase_if(const_cast<Section*>(s)->entries, [&](const Entry& e) { return SameName(e.ident, ident); });
}

}  // namespace forms
