#include "users/UserDirectory.h"

#include <algorithm>
#include <cstdint>

#include "base/Errors.h"
#include "platform/Files.h"
#include "platform/Library.h"
#include "platform/Registry.h"
#include "users/Messages.h"

#if defined(_WIN32) && !defined(_WIN64)
#define QA_USER_LIBRARY_CALL __stdcall
#else
#define QA_USER_LIBRARY_CALL
#endif

namespace users {

namespace {

using UmGetUserCountFn = int32_t(QA_USER_LIBRARY_CALL*)();
using UmGetUserIDFn = int32_t(QA_USER_LIBRARY_CALL*)(int32_t index, uint32_t* id);
using UmGetUserTextFn = int32_t(QA_USER_LIBRARY_CALL*)(uint32_t id, char* buffer, uint16_t* size);

constexpr uint16_t kTextBufferSize = 256;

struct UserLibrary {
  UmGetUserCountFn getUserCount = nullptr;
  UmGetUserIDFn getUserID = nullptr;
  UmGetUserTextFn getUserName = nullptr;
  UmGetUserTextFn getUserDirectory = nullptr;
};

template <typename Fn>
bool find(const platform::Library& library, const char* name, Fn& fn, std::string& missing) {
  fn = reinterpret_cast<Fn>(library.symbol(name));
  if (fn == nullptr && missing.empty()) missing = name;
  return fn != nullptr;
}

// The four functions, or the name of the first one the library lacks.
std::optional<UserLibrary> findFunctions(const platform::Library& library, std::string& missing) {
  UserLibrary f;
  find(library, "UmGetUserCount", f.getUserCount, missing);
  find(library, "UmGetUserID", f.getUserID, missing);
  find(library, "UmGetUserName", f.getUserName, missing);
  find(library, "UmGetUserDirectory", f.getUserDirectory, missing);
  if (!missing.empty()) return std::nullopt;
  return f;
}

// A name or folder text: the returned size is its length, never more than the
// buffer holds, and the text stops at a zero character should the size count one.
std::string askText(UmGetUserTextFn fn, uint32_t id) {
  char buffer[kTextBufferSize] = {};
  uint16_t size = kTextBufferSize;
  fn(id, buffer, &size);
  const size_t length = std::min<size_t>(size, kTextBufferSize);
  return std::string(buffer, std::find(buffer, buffer + length, '\0'));
}

}  // namespace

UsersData GetUsersData() {
  std::string desktopPath;
  std::string path;
  {
    // A key that cannot be opened reads as empty values.
    const auto key = platform::RegistryKey::openCurrentUser(kPalmDesktopKey);
    if (key) desktopPath = key->readString("DesktopPath");
    if (desktopPath.empty()) throw EPalmDesktopNotFound(users::msg::RegistryKeyNotFound);
    path = key->readString("Path");
  }

  const platform::Library library(desktopPath + platform::kPathSeparator + kUserLibraryName);
  if (library.wrongFormat()) throw EUserLibraryWrongFormat(users::msg::UserLibraryNotFound, path);
  if (!library.loaded()) throw EUsersNotFound(users::msg::UserLibraryNotFound);
  std::string missing;
  const auto functions = findFunctions(library, missing);
  if (!functions) throw EUsersNotFound(base::formatMessage(users::msg::UserLibraryExportMissing, {missing}));

  std::vector<UserName> names;
  std::vector<std::string> folders;
  const uint16_t count = static_cast<uint16_t>(functions->getUserCount());
  for (uint16_t i = 0; i < count; ++i) {
    uint32_t id = 0;
    functions->getUserID(i, &id);
    names.push_back(libraryUserName(askText(functions->getUserName, id)));
    folders.push_back(path + platform::kPathSeparator + askText(functions->getUserDirectory, id) +
                      platform::kPathSeparator);
  }
  return usersTable(std::move(names), folders);
}

UsersData usersTable(std::vector<UserName> names, const std::vector<std::string>& folders) {
  makeDistinct(names);
  UsersData data;
  const size_t slots = std::max(names.size(), kUserSlots);
  data.userNames.resize(slots);
  data.userDirs.resize(slots);
  data.albumNames.resize(slots);
  for (size_t i = 0; i < names.size(); ++i) {
    data.userNames[i] = names[i].shown;
    data.userDirs[i] = folders[i];
    data.albumNames[i] = names[i].album;
    data.items.push_back(names[i].shown);
  }
  data.selectFirst = !data.items.empty();
  return data;
}

}  // namespace users
