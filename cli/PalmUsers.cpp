#include "cli/PalmUsers.h"

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
  for (const std::string& picture : users::userPictures(userFolder)) databases.push_back(userFolder + picture);
  return databases;
}

}  // namespace cli
