#include <windows.h>

#include "platform/FileTime.h"

namespace platform {

bool setModificationTime(const std::string& path, int64_t unixSeconds) {
  // FILETIME counts 100-nanosecond steps from 1601-01-01.
  constexpr int64_t kSecondsFrom1601To1970 = 11644473600LL;
  const uint64_t ticks = static_cast<uint64_t>(unixSeconds + kSecondsFrom1601To1970) * 10000000ULL;
  FILETIME written;
  written.dwLowDateTime = static_cast<DWORD>(ticks);
  written.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
  HANDLE file = ::CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const bool done = ::SetFileTime(file, nullptr, nullptr, &written) != 0;
  ::CloseHandle(file);
  return done;
}

}  // namespace platform
