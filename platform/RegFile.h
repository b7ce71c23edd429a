// Files in the registry editor's export format (.reg): "Windows Registry
// Editor Version 5.00" (UTF-16LE with byte-order mark, or UTF-8) and "REGEDIT4"
// (8-bit text). Values keep their types. Text read from a version 5 file is
// turned into UTF-8, the 8-bit text of the systems that use these files.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Registry.h"

namespace platform {

class RegFile {
 public:
  // nullopt when the bytes do not begin with one of the two headers.
  // Lines that cannot be read are skipped, as are deletions of keys and values.
  static std::optional<RegFile> parse(std::string_view bytes);

  // The values of a key given by its full path ("HKEY_CURRENT_USER\Software\X"),
  // compared without regard to ASCII case; nullptr when the file has no such key.
  const RegistryValues* key(std::string_view path) const;

 private:
  std::map<std::string, RegistryValues> keys_;  // by folded path
  friend class RegFileReader;
};

}  // namespace platform
