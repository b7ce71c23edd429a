#include <windows.h>

#include <algorithm>

#include "base/Errors.h"
#include "platform/FileStream.h"
#include "platform/Files.h"
#include "platform/Win32Error.h"
#include "platform/Win32Handle.h"

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
  return seekHandle(static_cast<HANDLE>(handle_), offset, origin);
}

int64_t FileStream::size() { return handleSize(static_cast<HANDLE>(handle_)); }

}  // namespace platform
