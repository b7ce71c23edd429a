// Palm Desktop inside a Wine prefix: its registry key in the prefix's user.reg
// (Wine's own text format, "WINE REGISTRY Version 2") and the Windows paths it
// holds, turned into paths of this system through the prefix's dosdevices/ links.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace users {

// Files larger than this are not read as a registry.
inline constexpr size_t kMaxWineRegistryBytes = 64u << 20;

// The text of the string value `name` ("" for the key's default value) of the
// key `keyPath` (relative to the hive, e.g. "Software\Wine") in the text of a
// Wine registry file, as UTF-8. Key and value names are compared without regard
// to ASCII case. nullopt when the text is no Wine registry, the key or value is
// missing, or the value is not a string (str(2) expandable strings count, unexpanded).
std::optional<std::string> readWineRegistryString(std::string_view text, std::string_view keyPath,
                                                  std::string_view name);

// A folder of a Wine prefix, or why there is none.
struct WineFolder {
  std::optional<std::string> folder;  // ends with a separator
  std::string whyNot;                 // the end of a sentence: "it climbs out with "..".", ...
};

// The path under the prefix that the Windows path "X:\dir\..." names, found
// through <prefix>/dosdevices/x: and matching each folder name without regard
// to letter case as Wine does. None when the path has no drive letter, climbs
// with "..", or a folder does not exist.
WineFolder folderInWinePrefix(const std::string& prefix, std::string_view windowsPath);

// Palm Desktop as a Wine prefix's registry holds it: its Path value and the Palm folder it names here.
struct WinePalmDesktop {
  std::string path;
  WineFolder palmFolder;
};

// Palm Desktop of the Wine prefix; nullopt when the prefix has no readable
// user.reg with the key's Path.
std::optional<WinePalmDesktop> winePalmDesktop(const std::string& prefix);

}  // namespace users
