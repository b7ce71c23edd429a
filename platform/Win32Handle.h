// Moving in and measuring an open Win32 file handle, as the file streams do.
#pragma once

#include <windows.h>

#include <cstdint>

#include "base/Stream.h"

namespace platform {

// The new position; a failed move leaves the position where it was and returns it.
inline int64_t seekHandle(HANDLE handle, int64_t offset, base::SeekOrigin origin) {
  const DWORD method = origin == base::SeekOrigin::Begin     ? FILE_BEGIN
                       : origin == base::SeekOrigin::Current ? FILE_CURRENT
                                                             : FILE_END;
  LARGE_INTEGER move;
  move.QuadPart = offset;
  LARGE_INTEGER result;
  if (!SetFilePointerEx(handle, move, &result, method)) {
    move.QuadPart = 0;
    SetFilePointerEx(handle, move, &result, FILE_CURRENT);
  }
  return result.QuadPart;
}

inline int64_t handleSize(HANDLE handle) {
  LARGE_INTEGER size;
  return GetFileSizeEx(handle, &size) ? size.QuadPart : 0;
}

}  // namespace platform
