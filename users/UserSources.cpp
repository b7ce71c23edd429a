#include "users/UserSources.h"

#include <cstdlib>
#include <exception>

#include "base/Errors.h"
#include "platform/Directory.h"
#include "platform/Files.h"
#include "users/Messages.h"
#include "users/WineRegistry.h"

namespace users {

namespace {

std::string environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// Palm Desktop's users; when its user library cannot be loaded by this program
// (a 32-bit UserData.dll in the 64-bit program), the users of its Palm folder.
UsersData palmDesktopUsers() {
  try {
    return GetUsersData();
  } catch (const EUserLibraryWrongFormat& e) {
    return palmFolderUsers(e.palmFolder());
  }
}

bool hasUsers(const UsersData& data) { return !data.items.empty(); }

#ifndef _WIN32
// The users of Palm Desktop's folder in the Wine prefix; when it has Palm
// Desktop but gives none, `note` says why.
UsersData wineUsers(std::string& note) {
  const std::string prefix = winePrefix();
  const auto desktop = prefix.empty() ? std::nullopt : winePalmDesktop(prefix);
  if (!desktop) return {};
  const WineFolder& palm = desktop->palmFolder;
  UsersData data = palm.folder ? palmFolderUsers(*palm.folder) : UsersData{};
  if (!hasUsers(data))
    note = base::formatMessage(msg::WinePalmFolderNotUsed,
                               {desktop->path, prefix, palm.folder ? msg::NoUserWithPictures : palm.whyNot});
  return data;
}
#endif

}  // namespace

UsersData usersDataOf(const std::vector<PalmUser>& users) {
  std::vector<UserName> names;
  std::vector<std::string> folders;
  for (const PalmUser& user : users) {
    names.push_back(folderUserName(user.name));
    folders.push_back(user.folder);
  }
  return usersTable(std::move(names), folders);
}

UsersData palmFolderUsers(const std::string& folder) {
  if (folder.empty()) return {};
  return usersDataOf(scanPalmFolder(folder));
}

std::string winePrefix() {
  const std::string prefix = environment("WINEPREFIX");
  if (!prefix.empty()) return prefix;
  const std::string home = platform::homeFolder();
  return home.empty() ? std::string() : home + "/.wine";
}

UsersData findUsers(const std::string& lastPalmFolder) {
  UsersData registry;
  std::exception_ptr registryFailure;
  bool noPalmDesktop = false;
  try {
    registry = palmDesktopUsers();
  } catch (const EPalmDesktopNotFound&) {
    registryFailure = std::current_exception();
    noPalmDesktop = true;
  } catch (const EUsersNotFound&) {
    registryFailure = std::current_exception();
  }
  if (hasUsers(registry)) return registry;
  if (auto data = palmFolderUsers(lastPalmFolder); hasUsers(data)) return data;
#ifdef _WIN32
  (void)noPalmDesktop;
#else
  std::string wineNote;
  if (auto data = wineUsers(wineNote); hasUsers(data)) return data;
  if (const std::string home = platform::homeFolder(); !home.empty())
    if (auto data = palmFolderUsers(home + "/.jpilot/backup"); hasUsers(data)) return data;
  // Nothing anywhere: what the registry said, or why Palm Desktop under Wine gave nothing.
  if (noPalmDesktop && !wineNote.empty()) throw EPalmDesktopNotFound(wineNote);
#endif
  if (registryFailure) std::rethrow_exception(registryFailure);
  return registry;
}

}  // namespace users
