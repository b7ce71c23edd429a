// The stand-in for Palm Desktop's user-management library: the same four
// exports, with the users read from "UserData.txt" beside the library file.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#define QA_EXPORT extern "C" __declspec(dllexport)
#define QA_CALL WINAPI
#else
#include <dlfcn.h>
#define QA_EXPORT extern "C" __attribute__((visibility("default")))
#define QA_CALL
#endif

namespace {

constexpr int32_t kDone = 0;
constexpr int32_t kFailed = 1;

struct User {
  uint32_t id = 0;
  std::string name;
  std::string directory;
  std::optional<uint32_t> nameSize;  // the size to report instead of the text's length
  std::optional<uint32_t> directorySize;
};

struct Users {
  std::vector<User> list;
  std::optional<uint32_t> count;  // the count to report instead of the number of users
};

std::string libraryFolder() {
  std::string path;
#ifdef _WIN32
  HMODULE self = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(&libraryFolder), &self);
  char buffer[MAX_PATH * 4];
  path.assign(buffer, GetModuleFileNameA(self, buffer, sizeof buffer));
#else
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&libraryFolder), &info) != 0 && info.dli_fname) path = info.dli_fname;
#endif
  const size_t cut = path.find_last_of("/\\");
  return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

std::vector<std::string> splitTabs(const std::string& line) {
  std::vector<std::string> fields;
  size_t start = 0;
  while (true) {
    const size_t tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab - start));
    if (tab == std::string::npos) return fields;
    start = tab + 1;
  }
}

std::optional<uint32_t> number(const std::string& text) {
  if (text.empty()) return std::nullopt;
  char* end = nullptr;
  const unsigned long v = std::strtoul(text.c_str(), &end, 10);
  if (*end != '\0') return std::nullopt;
  return static_cast<uint32_t>(v);
}

// Read afresh on every call: the file is small, and tests change it between loads.
Users readUsers() {
  Users users;
  std::ifstream in(libraryFolder() + "UserData.txt", std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    const auto fields = splitTabs(line);
    if (fields[0] == "count" && fields.size() == 2) {
      users.count = number(fields[1]);
      continue;
    }
    if (fields.size() < 3 || !number(fields[0])) continue;
    User user{*number(fields[0]), fields[1], fields[2], std::nullopt, std::nullopt};
    if (fields.size() > 3) user.nameSize = number(fields[3]);
    if (fields.size() > 4) user.directorySize = number(fields[4]);
    users.list.push_back(std::move(user));
  }
  return users;
}

const User* findUser(const Users& users, uint32_t id) {
  for (const User& u : users.list)
    if (u.id == id) return &u;
  return nullptr;
}

// Copies text into a buffer of *size bytes, zero-terminated when it fits, and sets *size.
int32_t giveText(const std::string& text, std::optional<uint32_t> reported, char* buffer, uint16_t* size) {
  if (buffer == nullptr || size == nullptr) return kFailed;
  const size_t room = *size;
  const size_t n = std::min(text.size(), room);
  std::memcpy(buffer, text.data(), n);
  if (n < room) buffer[n] = '\0';
  *size = static_cast<uint16_t>(reported.value_or(static_cast<uint32_t>(n)));
  return kDone;
}

// The name or folder of the user with this ID; an unknown ID gives empty text and a failure.
int32_t giveUserText(uint32_t id, std::string User::*text, std::optional<uint32_t> User::*reported, char* buffer,
                     uint16_t* size) {
  const Users users = readUsers();
  const User* user = findUser(users, id);
  if (user == nullptr) {
    giveText({}, std::nullopt, buffer, size);
    return kFailed;
  }
  return giveText(user->*text, user->*reported, buffer, size);
}

}  // namespace

QA_EXPORT int32_t QA_CALL UmGetUserCount() {
  const Users users = readUsers();
  return static_cast<int32_t>(users.count.value_or(static_cast<uint32_t>(users.list.size())));
}

QA_EXPORT int32_t QA_CALL UmGetUserID(int32_t index, uint32_t* id) {
  const Users users = readUsers();
  if (id == nullptr || index < 0 || static_cast<size_t>(index) >= users.list.size()) return kFailed;
  *id = users.list[static_cast<size_t>(index)].id;
  return kDone;
}

QA_EXPORT int32_t QA_CALL UmGetUserName(uint32_t id, char* buffer, uint16_t* size) {
  return giveUserText(id, &User::name, &User::nameSize, buffer, size);
}

#ifndef QA_USERDATA_WITHOUT_DIRECTORY
QA_EXPORT int32_t QA_CALL UmGetUserDirectory(uint32_t id, char* buffer, uint16_t* size) {
  return giveUserText(id, &User::directory, &User::directorySize, buffer, size);
}
#endif
