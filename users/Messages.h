// The message texts of reading the Palm Desktop users.
#pragma once

namespace users::msg {
inline constexpr const char* RegistryKeyNotFound = "Palm Desktop registry key not found!";
inline constexpr const char* UserLibraryNotFound = "UserData.dll was not found!";
// The library lacks one of the four functions; %s is its name.
inline constexpr const char* UserLibraryExportMissing = "UserData.dll has no function %s!";
// Palm Desktop's Path in a Wine prefix that gave no users: the path, the prefix
// and why, one of the four texts below.
inline constexpr const char* WinePalmFolderNotUsed = "Palm Desktop's folder \"%s\" in the Wine prefix %s was not used: %s";
inline constexpr const char* NoDriveLetter = "it does not begin with a drive letter.";
inline constexpr const char* ClimbsOut = "it climbs out with \"..\".";
inline constexpr const char* NoSuchFolder = "there is no folder %s.";
inline constexpr const char* NoUserWithPictures = "it holds no user with pictures.";
}  // namespace users::msg
