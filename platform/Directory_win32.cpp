#include <windows.h>

#include "base/Errors.h"
#include "platform/Directory.h"

#include "base/Errors.h"
#include "platform/Files.h"
#include "platform/Win32Error.h"

namespace platform {

std::vector<std::string> readDirectory(const std::string& folder, const std::string& pattern) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA data;
  const HANDLE find = FindFirstFileA((folder + pattern).c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) {
    // "File not found" is a folder that holds no match; anything else is a folder that cannot be read.
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES) return names;
    throw base::EFOpenError(folderInMessages(folder), base::systemErrorText(static_cast<int>(error)));
  }
  do {
    names.emplace_back(data.cFileName);
  } while (FindNextFileA(find, &data));
  FindClose(find);
  return names;
}

void checkFolderReadable(const std::string& folder) {
  std::string pattern = folder.empty() ? std::string(".") : folder;
  if (pattern.back() != '\\' && pattern.back() != '/') pattern += '\\';
  WIN32_FIND_DATAA data;
  const HANDLE find = FindFirstFileA((pattern + "*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    FindClose(find);
    return;
  }
  const DWORD error = GetLastError();
  // An empty drive lists nothing at all, not even "." and "..".
  if (error != ERROR_FILE_NOT_FOUND) throw base::EFOpenError(absolutePath(folder), win32ErrorText(error));
}

}  // namespace platform
