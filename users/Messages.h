// The message texts of reading the Palm Desktop users.
#pragma once

namespace users::msg {
inline constexpr const char* RegistryKeyNotFound = "Palm Desktop registry key not found!";
inline constexpr const char* UserLibraryNotFound = "UserData.dll was not found!";
// The library lacks one of the four functions; %s is its name.
inline constexpr const char* UserLibraryExportMissing = "UserData.dll has no function %s!";
}  // namespace users::msg
