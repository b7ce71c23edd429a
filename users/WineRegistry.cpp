#include "users/WineRegistry.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>
#include <vector>

#include "base/Errors.h"
#include "base/Text.h"
#include "platform/FileStream.h"
#include "platform/Files.h"
#include "users/Messages.h"
#include "users/UserDirectory.h"

namespace users {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kHeader = "WINE REGISTRY Version 2";

char foldCase(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

bool equalsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return foldCase(x) == foldCase(y);
         });
}

int digitValue(char c, int base) {
  int v = -1;
  if (c >= '0' && c <= '9') v = c - '0';
  else if (c >= 'a' && c <= 'f') v = c - 'a' + 10;
  else if (c >= 'A' && c <= 'F') v = c - 'A' + 10;
  return v < base ? v : -1;
}

// Reads up to `max` digits of `base` at `at`; the value, `at` moved past them.
uint32_t readNumber(std::string_view s, size_t& at, int base, size_t max) {
  uint32_t v = 0;
  for (size_t n = 0; n < max && at < s.size() && digitValue(s[at], base) >= 0; ++n, ++at)
    v = v * static_cast<uint32_t>(base) + static_cast<uint32_t>(digitValue(s[at], base));
  return v;
}

// Decodes Wine's escapes in `s` from `at` up to the unescaped `end` character;
// `at` ends past it. nullopt when the text ends first.
std::optional<std::string> unescape(std::string_view s, size_t& at, char end) {
  std::string out;
  while (at < s.size()) {
    const char c = s[at++];
    if (c == end) return out;
    if (c != '\\' || at == s.size()) {
      out += c;
      continue;
    }
    const char e = s[at++];
    switch (e) {
      case 'a': out += '\a'; break;
      case 'b': out += '\b'; break;
      case 'e': out += '\x1B'; break;
      case 'f': out += '\f'; break;
      case 'n': out += '\n'; break;
      case 'r': out += '\r'; break;
      case 't': out += '\t'; break;
      case 'v': out += '\v'; break;
      case 'x': base::appendUtf8(out, readNumber(s, at, 16, 4)); break;
      default:
        if (digitValue(e, 8) >= 0) {
          --at;
          base::appendUtf8(out, readNumber(s, at, 8, 3));
        } else {
          out += e;
        }
    }
  }
  return std::nullopt;
}

std::string_view nextLine(std::string_view text, size_t& at) {
  const size_t end = std::min(text.find('\n', at), text.size());
  std::string_view line = text.substr(at, end - at);
  at = end + 1;
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

// The value of a `"name"=...` or `@=...` line when it is `name` and a string.
std::optional<std::optional<std::string>> stringValue(std::string_view line, std::string_view name) {
  size_t at = 0;
  std::string valueName;
  if (line.substr(0, 2) == "@=") {
    at = 1;
  } else {
    at = 1;
    const auto n = unescape(line, at, '"');
    if (!n) return std::nullopt;
    valueName = *n;
  }
  if (!equalsNoCase(valueName, name) || at >= line.size() || line[at] != '=') return std::nullopt;
  std::string_view data = line.substr(at + 1);
  if (data.substr(0, 7) == "str(2):") data.remove_prefix(7);
  if (data.empty() || data[0] != '"') return std::optional<std::string>{};  // not a string
  size_t from = 1;
  return std::optional<std::string>{unescape(data, from, '"')};
}

// The entry of `folder` named `name` in any letter case, exact match first.
std::optional<fs::path> findEntry(const fs::path& folder, const std::string& name) {
  std::error_code error;
  if (fs::exists(folder / name, error)) return folder / name;
  std::vector<std::string> matches;
  fs::directory_iterator it(folder, error), end;
  for (; !error && it != end; it.increment(error)) {
    const std::string entry = it->path().filename().string();
    if (equalsNoCase(entry, name)) matches.push_back(entry);
  }
  if (matches.empty()) return std::nullopt;
  return folder / *std::min_element(matches.begin(), matches.end());
}

}  // namespace

std::optional<std::string> readWineRegistryString(std::string_view text, std::string_view keyPath,
                                                  std::string_view name) {
  size_t at = 0;
  if (nextLine(text, at) != kHeader) return std::nullopt;
  bool inKey = false;
  while (at <= text.size()) {
    const std::string_view line = nextLine(text, at);
    if (line.empty()) continue;
    if (line[0] == '[') {
      size_t from = 1;
      const auto key = unescape(line, from, ']');
      inKey = key && equalsNoCase(*key, keyPath);
      continue;
    }
    if (!inKey || (line[0] != '"' && line[0] != '@')) continue;
    if (auto value = stringValue(line, name)) return *value;
  }
  return std::nullopt;
}

WineFolder folderInWinePrefix(const std::string& prefix, std::string_view windowsPath) {
  if (windowsPath.size() < 2 || windowsPath[1] != ':' || !std::isalpha(static_cast<unsigned char>(windowsPath[0])))
    return {std::nullopt, msg::NoDriveLetter};
  const std::string drive = std::string(1, foldCase(windowsPath[0])) + ":";
  fs::path path = fs::path(prefix) / "dosdevices" / drive;
  std::error_code error;
  if (!fs::is_directory(path, error)) return {std::nullopt, base::formatMessage(msg::NoSuchFolder, {path.string()})};
  size_t at = 2;
  while (at < windowsPath.size()) {
    size_t end = windowsPath.find_first_of("\\/", at);
    if (end == std::string_view::npos) end = windowsPath.size();
    const std::string part(windowsPath.substr(at, end - at));
    at = end + 1;
    if (part.empty() || part == ".") continue;
    if (part == "..") return {std::nullopt, msg::ClimbsOut};
    const auto entry = findEntry(path, part);
    if (!entry || !fs::is_directory(*entry, error))
      return {std::nullopt, base::formatMessage(msg::NoSuchFolder, {(path / part).string()})};
    path = *entry;
  }
  std::string folder = path.string();
  if (folder.back() != platform::kPathSeparator) folder += platform::kPathSeparator;
  return {folder, {}};
}

std::optional<WinePalmDesktop> winePalmDesktop(const std::string& prefix) {
  const auto text = platform::readSmallFile((fs::path(prefix) / "user.reg").string(), kMaxWineRegistryBytes);
  if (!text) return std::nullopt;
  auto path = readWineRegistryString(*text, kPalmDesktopKey, "Path");
  if (!path) return std::nullopt;
  WineFolder palmFolder = folderInWinePrefix(prefix, *path);
  return WinePalmDesktop{std::move(*path), std::move(palmFolder)};
}

}  // namespace users
