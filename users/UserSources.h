// Where the window and qalbum look for a family's users, in order, stopping at
// the first place that gives any: Palm Desktop's registry key with its
// UserData.dll (elsewhere than Windows a .reg file with its library), or the Palm
// folder the key names when the program cannot load that library (a 32-bit
// library in the 64-bit program); the Palm folder last opened; outside Windows
// also a Wine prefix where Palm Desktop ran, and J-Pilot's backup.
#pragma once

#include <string>
#include <vector>

#include "users/PalmFolder.h"
#include "users/UserDirectory.h"

namespace users {

// The user table for the users of a Palm folder, in their order.
UsersData usersDataOf(const std::vector<PalmUser>& users);

// The users of a Palm folder as the user table; an empty table (nothing
// selected) when it holds none.
UsersData palmFolderUsers(const std::string& folder);

// The Wine prefix to look into: $WINEPREFIX, else ~/.wine; empty when neither is known.
std::string winePrefix();

// The users from the first source that gives any. `lastPalmFolder` is the Palm
// folder the window opened last ("" for none). When no source gives users,
// what the registry gave: its users, or the EUsersNotFound it raised.
UsersData findUsers(const std::string& lastPalmFolder);

}  // namespace users
