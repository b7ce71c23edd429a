#include "cli/PalmUsers.h"

#include "cli/ExportSupport.h"
#include "platform/Directory.h"
#include "users/PalmFolder.h"
#include "users/RememberedFolder.h"
#include "users/UserSources.h"

namespace cli {

users::UsersData palmUsers(const std::optional<std::string>& palmFolder) {
  if (!palmFolder) return users::findUsers(users::rememberedPalmFolder());
  platform::checkFolderReadable(*palmFolder);
  return users::palmFolderUsers(*palmFolder);
}

std::vector<std::string> userDatabases(const std::string& userFolder) {
  std::vector<std::string> databases;
  for (const std::string& backup : users::backupFoldersOf(userFolder)) {
    const std::vector<std::string> found = pictureDatabases(userFolder + backup);
    databases.insert(databases.end(), found.begin(), found.end());
  }
  return databases;
}

}  // namespace cli
