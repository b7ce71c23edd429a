// The Palm Desktop users of the current account: their names and folders,
// read from Palm Desktop's registry key and its user-management library.
#pragma once

#include <string>
#include <vector>

#include "base/Errors.h"
#include "users/UserNames.h"

namespace users {

// Slots of the user table that always exist, filled or empty.
inline constexpr size_t kUserSlots = 10;

inline constexpr const char* kPalmDesktopKey = "Software\\U.S. Robotics\\Pilot Desktop\\Core";
inline constexpr const char* kUserLibraryName = "UserData.dll";

struct UsersData {
  // The user table: slot i belongs to item i of the user list. At least kUserSlots
  // slots; more when the library reports more users. Every filled folder ends
  // with a path separator. Names are shown names (UTF-8); album names are the
  // names of the users' album folders, apart from one another (UserNames.h).
  std::vector<std::string> userNames = std::vector<std::string>(kUserSlots);
  std::vector<std::string> userDirs = std::vector<std::string>(kUserSlots);
  std::vector<std::string> albumNames = std::vector<std::string>(kUserSlots);
  // The user list (shown names), in the library's order.
  std::vector<std::string> items;
  bool selectFirst = false;
};

// The table and list of users with these names and folders, in this order,
// their names made distinct; the first is selected when there is one.
UsersData usersTable(std::vector<UserName> names, const std::vector<std::string>& folders);

// No users where they were looked for: Palm Desktop's registry key, its user
// library or one of the library's functions is missing, or a folder holds no
// pictures. what() is the text shown in an "Error" box.
class EUsersNotFound : public base::Exception {
  using base::Exception::Exception;
};

// Palm Desktop itself was not found: its registry key is missing (and, outside
// Windows, no other place gave users). A Palm folder given by hand is what is left.
class EPalmDesktopNotFound : public EUsersNotFound {
  using EUsersNotFound::EUsersNotFound;
};

// Palm Desktop's user library is there but is no library this program can
// load: a 32-bit UserData.dll in the 64-bit program. what() is the text of a
// missing library; palmFolder() is Palm Desktop's Path, which findUsers
// (UserSources.h) scans for the users instead.
class EUserLibraryWrongFormat : public EUsersNotFound {
 public:
  EUserLibraryWrongFormat(const std::string& message, std::string palmFolder)
      : EUsersNotFound(message), palmFolder_(std::move(palmFolder)) {}
  const std::string& palmFolder() const { return palmFolder_; }

 private:
  std::string palmFolder_;
};

// Reads the users. Raises EPalmDesktopNotFound without the registry key,
// EUserLibraryWrongFormat for a library of the wrong format, EUsersNotFound
// when Palm Desktop's users cannot be read otherwise, and
// base::ERegistryException ("Invalid data type for '...'") for a registry
// value of a type other than text.
UsersData GetUsersData();

}  // namespace users
