#include "users/UserSources.h"

#include <cstdlib>
#include <exception>

#include "platform/Directory.h"
#include "platform/Files.h"
#include "users/WineRegistry.h"

namespace users {

namespace {

std::string environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

std::string homeFolder() { return environment("HOME"); }

#ifndef _WIN32
bool hasUsers(const UsersData& data) { return !data.items.empty(); }
#endif

}  // namespace

UsersData usersDataOf(const std::vector<PalmUser>& users) {
  UsersData data;
  if (users.size() > data.userNames.size()) {
    data.userNames.resize(users.size());
    data.userDirs.resize(users.size());
  }
  for (size_t i = 0; i < users.size(); ++i) {
    // A folder's name becomes a user name like those the library gives.
    data.userNames[i] = platform::fileNameToAnsi(users[i].name);
    data.userDirs[i] = users[i].folder;
    data.items.push_back(data.userNames[i]);
  }
  data.selectFirst = !data.items.empty();
  return data;
}

UsersData palmFolderUsers(const std::string& folder) {
  if (folder.empty()) return {};
  return usersDataOf(scanPalmFolder(folder));
}

std::string winePrefix() {
  const std::string prefix = environment("WINEPREFIX");
  if (!prefix.empty()) return prefix;
  const std::string home = homeFolder();
  return home.empty() ? std::string() : home + "/.wine";
}

UsersData findUsers(const std::string& lastPalmFolder) {
#ifdef _WIN32
  (void)lastPalmFolder;
  return GetUsersData();
#else
  UsersData registry;
  std::exception_ptr registryFailure;
  try {
    registry = GetUsersData();
  } catch (const EUsersNotFound&) {
    registryFailure = std::current_exception();
  }
  if (hasUsers(registry)) return registry;
  if (auto data = palmFolderUsers(lastPalmFolder); hasUsers(data)) return data;
  if (const std::string prefix = winePrefix(); !prefix.empty()) {
    if (const auto folder = winePalmFolder(prefix))
      if (auto data = palmFolderUsers(*folder); hasUsers(data)) return data;
  }
  if (const std::string home = homeFolder(); !home.empty())
    if (auto data = palmFolderUsers(home + "/.jpilot/backup"); hasUsers(data)) return data;
  // Nothing anywhere: what the registry said.
  if (registryFailure) std::rethrow_exception(registryFailure);
  return registry;
#endif
}

}  // namespace users
