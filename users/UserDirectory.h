// The Palm Desktop users of the current account: their names and folders,
// read from Palm Desktop's registry key and its user-management library.
#pragma once

#include <string>
#include <vector>

#include "base/Errors.h"

namespace users {

// Slots of the user table that always exist, filled or empty.
inline constexpr size_t kUserSlots = 10;

inline constexpr const char* kPalmDesktopKey = "Software\\U.S. Robotics\\Pilot Desktop\\Core";
inline constexpr const char* kUserLibraryName = "UserData.dll";

struct UsersData {
  // The user table: slot i belongs to item i of the user list. At least kUserSlots
  // slots; more when the library reports more users. Every filled folder ends
  // with a path separator.
  std::vector<std::string> userNames = std::vector<std::string>(kUserSlots);
  std::vector<std::string> userDirs = std::vector<std::string>(kUserSlots);
  // The user list, in the library's order.
  std::vector<std::string> items;
  bool selectFirst = false;
};

// No users where they were looked for: Palm Desktop's registry key, its user
// library or one of the library's functions is missing, or a folder holds no
// pictures. what() is the text shown in an "Error" box.
class EUsersNotFound : public base::Exception {
  using base::Exception::Exception;
};

// Reads the users. Raises EUsersNotFound when Palm Desktop's users cannot be
// read, and base::ERegistryException ("Invalid data type for '...'") for a
// registry value of a type other than text.
UsersData GetUsersData();

}  // namespace users
