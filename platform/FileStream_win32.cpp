#include <windows.h>

#include <algorithm>

#include "base/Errors.h"
#include "platform/FileStream.h"
#include "platform/Files.h"
#include "platform/Win32Error.h"

namespace platform {

// Refused unless it is a file on disk: a pipe or a device named like an input
// could hold the program up or never end.
FileStream::FileStream(const std::string& path, FileMode mode) : path_(path) {
  const DWORD share = mode == FileMode::OpenReadExclusive ? 0 : FILE_SHARE_READ | FILE_SHARE_WRITE;
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) throw base::EFOpenError(absolutePath(path), win32ErrorText(GetLastError()));
  handle_ = h;
  if (GetFileType(h) != FILE_TYPE_DISK) {
    close();
    throw base::EFOpenError(absolutePath(path), kNotRegularFile);
  }
}

FileStream::~FileStream() { close(); }

void FileStream::close() {
  if (handle_ != nullptr) CloseHandle(static_cast<HANDLE>(handle_));
  handle_ = nullptr;
}

size_t FileStream::read(void* buffer, size_t count) {
  size_t done = 0;
  while (done < count) {
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(count - done, 1u << 30));
    DWORD n = 0;
    if (!ReadFile(static_cast<HANDLE>(handle_), static_cast<char*>(buffer) + done, chunk, &n, nullptr) || n == 0) break;
    done += n;
  }
  return done;
}

size_t FileStream::write(const void*, size_t) { return 0; }

int64_t FileStream::seek(int64_t offset, base::SeekOrigin origin) {
  const DWORD method = origin == base::SeekOrigin::Begin     ? FILE_BEGIN
                       : origin == base::SeekOrigin::Current ? FILE_CURRENT
                                                             : FILE_END;
  LARGE_INTEGER move;
  move.QuadPart = offset;
  LARGE_INTEGER result;
  if (!SetFilePointerEx(static_cast<HANDLE>(handle_), move, &result, method)) {
    move.QuadPart = 0;
    SetFilePointerEx(static_cast<HANDLE>(handle_), move, &result, FILE_CURRENT);
  }
  return result.QuadPart;
}

int64_t FileStream::size() {
  LARGE_INTEGER size;
  return GetFileSizeEx(static_cast<HANDLE>(handle_), &size) ? size.QuadPart : 0;
}

}  // namespace platform
