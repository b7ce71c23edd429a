#include <dirent.h>

#include <cerrno>

#include "base/Errors.h"
#include "platform/Directory.h"
#include "platform/Files.h"

namespace platform {

std::vector<std::string> readDirectory(const std::string& folder, const std::string& pattern) {
  const std::string path = folder.empty() ? "." : folder;
  DIR* dir = ::opendir(path.c_str());
  if (!dir) {
    const int error = errno;
    throw base::EFOpenError(folderInMessages(folder), base::systemErrorText(error));
  }
  std::vector<std::string> names;
  while (const dirent* entry = ::readdir(dir)) {
    if (matchesWildcard(entry->d_name, pattern)) names.emplace_back(entry->d_name);
  }
  ::closedir(dir);
  return names;
}

void checkFolderReadable(const std::string& folder) {
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (!dir) throw base::EFOpenError(absolutePath(folder), base::systemErrorText(errno));
  ::closedir(dir);
}

}  // namespace platform
