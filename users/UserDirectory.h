// The Palm Desktop users of the current account: their names and folders,
// read from Palm Desktop's registry key and its user-management library.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace app {

// Slots of the user table that always exist, filled or empty.
inline constexpr size_t kUserSlots = 10;

inline constexpr const char* kPalmDesktopKey = "Software\\U.S. Robotics\\Pilot Desktop\\Core";
inline constexpr const char* kUserLibraryName = "UserData.dll";

namespace msg {
inline constexpr const char* RegistryKeyNotFound = "Palm Desktop registry key not found!";
inline constexpr const char* UserLibraryNotFound = "UserData.dll was not found!";
// The library lacks one of the four functions; %s is its name.
inline constexpr const char* UserLibraryExportMissing = "UserData.dll has no function %s!";
}  // namespace msg

struct UsersData {
  // The user table: slot i belongs to item i of the user list. At least kUserSlots
  // slots; more when the library reports more users. Every filled folder ends
  // with a path separator.
  std::vector<std::string> userNames = std::vector<std::string>(kUserSlots);
  std::vector<std::string> userDirs = std::vector<std::string>(kUserSlots);
  // The user list, in the library's order.
  std::vector<std::string> items;
  bool selectFirst = false;
  // Set when the users could not be read; shown in an "Error" box. Table and list are then empty.
  std::optional<std::string> error;
};

// Reads the users. A registry value of a type other than text raises
// base::ERegistryException ("Invalid data type for '...'").
UsersData GetUsersData();

}  // namespace app
