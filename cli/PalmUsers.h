// The users that qalbum users and export-all work on.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "users/UserDirectory.h"

namespace cli {

// The users of the Palm folder given with --palm-folder, else those the window
// finds (with the Palm folder it remembers). A Palm folder that cannot be read
// raises base::EFOpenError naming it; finding raises what users::findUsers raises.
users::UsersData palmUsers(const std::optional<std::string>& palmFolder);

// The full paths of a user's picture databases: each backup folder's in name order.
std::vector<std::string> userDatabases(const std::string& userFolder);

}  // namespace cli
