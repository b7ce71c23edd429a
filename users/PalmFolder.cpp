#include "users/PalmFolder.h"

#include <algorithm>
#include <filesystem>
#include <tuple>
#include <system_error>

#include "album/PictureDatabase.h"
#include "album/PictureList.h"
#include "platform/Directory.h"
#include "platform/Files.h"

namespace users {

namespace fs = std::filesystem;

namespace {

constexpr const char* kBackup = "Backup";

// folder + name + separator; `folder` ends with a separator.
std::string subfolder(const std::string& folder, const std::string& name) {
  std::string path;
  path.reserve(folder.size() + name.size() + 1);
  path.append(folder).append(name).push_back(platform::kPathSeparator);
  return path;
}

bool isDirectory(const fs::path& path) {
  std::error_code error;
  return fs::is_directory(path, error);
}

bool isRegularFile(const fs::path& path) {
  std::error_code error;
  return fs::is_regular_file(path, error);
}

// The names of a folder's entries; empty when it cannot be read.
std::vector<std::string> entryNames(const fs::path& folder) {
  std::vector<std::string> names;
  std::error_code error;
  fs::directory_iterator it(folder, error), end;
  for (; !error && it != end; it.increment(error)) names.push_back(it->path().filename().string());
  return names;
}

bool equalsNoCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

// The Backup sub-folders of a folder, in any letter case, with separators.
std::vector<std::string> backupSubfolders(const std::string& folder) {
  std::vector<std::string> names = entryNames(folder);
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    const bool aLater = a != kBackup, bLater = b != kBackup;
    return std::tie(aLater, a) < std::tie(bLater, b);
  });
  std::vector<std::string> found;
  for (const std::string& name : names)
    if (equalsNoCase(name, kBackup) && isDirectory(subfolder(folder, name)))
      found.push_back(name + platform::kPathSeparator);
  return found;
}

bool isUserFolder(const std::string& folder) {
  const std::vector<std::string> backups = backupSubfolders(folder);
  return std::any_of(backups.begin(), backups.end(),
                     [&folder](const std::string& backup) { return holdsPictureDatabase(folder + backup); });
}

// The name a folder goes by: its last path component.
std::string folderName(const std::string& folder) {
  std::error_code error;
  fs::path path = fs::absolute(fs::path(folder), error).lexically_normal();
  if (path.filename().empty()) path = path.parent_path();
  return path.filename().string();
}

}  // namespace

bool holdsPictureDatabase(const std::string& folder) {
  const std::string at = platform::withSeparator(folder);
  for (const std::string& name : platform::listDirectory(at, album::kPictureFilePattern))
    if (isRegularFile(at + name)) return true;
  return false;
}

std::vector<std::string> backupFoldersOf(const std::string& userFolder) {
  const std::string folder = platform::withSeparator(userFolder);
  std::vector<std::string> backups = backupSubfolders(folder);
  if (backups.empty()) backups.push_back(holdsPictureDatabase(folder) ? "" : kBackup + std::string{platform::kPathSeparator});
  return backups;
}

std::vector<PalmUser> scanPalmFolder(const std::string& palmFolder) {
  const std::string folder = platform::withSeparator(palmFolder);
  if (!isDirectory(folder)) return {};
  if (holdsPictureDatabase(folder) || isUserFolder(folder)) return {{folderName(folder), folder}};
  std::vector<std::string> names = entryNames(folder);
  std::sort(names.begin(), names.end());
  std::vector<PalmUser> users;
  for (const std::string& name : names) {
    const std::string userFolder = subfolder(folder, name);
    if (isDirectory(userFolder) && isUserFolder(userFolder)) users.push_back({name, userFolder});
  }
  return users;
}

std::vector<std::string> userPictures(const std::string& userFolder) {
  std::vector<std::string> pictures;
  for (const std::string& backup : backupFoldersOf(userFolder))
    for (const std::string& name : album::listPictureDatabases(userFolder + backup)) pictures.push_back(backup + name);
  return pictures;
}

}  // namespace users
