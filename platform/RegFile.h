// Files in the registry editor's export format (.reg): "Windows Registry
// Editor Version 5.00" (UTF-16LE with byte-order mark, or UTF-8) and "REGEDIT4"
// (8-bit text). Values keep their types. Text read from a version 5 file is
// turned into UTF-8, the 8-bit text of the systems that use these files.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "base/Stream.h"
#include "platform/Registry.h"

namespace platform {

class RegFile {
 public:
  // Whether to keep a key, given its folded path (foldRegistryName).
  using KeyFilter = std::function<bool(const std::string& foldedPath)>;

  // Reads a file from `in` as a stream, keeping only the keys `keep` accepts
  // (all without a filter), so that memory stays small whatever the file's
  // size. nullopt when the file does not begin with one of the two headers;
  // that is known after its first line. Lines that cannot be read are
  // skipped, as are deletions of keys and values.
  static std::optional<RegFile> read(base::Stream& in, const KeyFilter& keep);
  // The same over bytes in memory, keeping every key.
  static std::optional<RegFile> parse(std::string_view bytes);

  // The values of a key given by its full path ("HKEY_CURRENT_USER\Software\X"),
  // compared without regard to ASCII case; nullptr when the file has no such key.
  const RegistryValues* key(std::string_view path) const;

 private:
  std::map<std::string, RegistryValues> keys_;  // by folded path
  friend class RegFileReader;
};

}  // namespace platform
