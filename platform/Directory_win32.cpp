#include <windows.h>

#include "base/Errors.h"
#include "platform/Directory.h"

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

}  // namespace platform
