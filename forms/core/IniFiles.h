// An ini file held in memory: sections of name=value lines, names compared
// ignoring ASCII case, order kept as written.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace forms {

class TMemIniFile {
 public:
  TMemIniFile() = default;
  virtual ~TMemIniFile() = default;

  // Replaces the content with ini text, one line per entry; returns it as text.
  void SetStrings(const std::vector<std::string>& lines);
  std::vector<std::string> GetStrings() const;

  std::string ReadString(const std::string& section, const std::string& ident, const std::string& def) const;
  void WriteString(const std::string& section, const std::string& ident, const std::string& value);
  int32_t ReadInteger(const std::string& section, const std::string& ident, int32_t def) const;
  void WriteInteger(const std::string& section, const std::string& ident, int32_t value);
  bool ReadBool(const std::string& section, const std::string& ident, bool def) const;
  void WriteBool(const std::string& section, const std::string& ident, bool value);

  bool SectionExists(const std::string& section) const;
  bool ValueExists(const std::string& section, const std::string& ident) const;
  void EraseSection(const std::string& section);
  void DeleteKey(const std::string& section, const std::string& ident);
  void Clear() { sections_.clear(); }

 private:
  struct Entry {
    std::string ident;
    std::string value;
  };
  struct Section {
    std::string name;
    std::vector<Entry> entries;
  };
  const Section* find(const std::string& section) const;
  Section& findOrAdd(const std::string& section);
  const Entry* find(const std::string& section, const std::string& ident) const;

  std::vector<Section> sections_;
};

}  // namespace forms
