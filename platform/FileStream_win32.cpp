#include <windows.h>

#include <algorithm>

#include "base/Errors.h"
#include "platform/FileStream.h"
#include "platform/Win32Error.h"

namespace platform {

namespace {
bool isCreate(FileMode mode) { return mode == FileMode::Create || mode == FileMode::CreateNew; }

[[noreturn]] void raise(const std::string& path, FileMode mode, DWORD error) {
  const std::string reason = win32ErrorText(error);
  if (isCreate(mode)) throw base::EFCreateError(path, reason);
  throw base::EFOpenError(path, reason);
}
}  // namespace

FileStream::FileStream(const std::string& path, FileMode mode) : path_(path) {
  DWORD access = GENERIC_READ;
  DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE;
  DWORD disposition = OPEN_EXISTING;
  switch (mode) {
    case FileMode::OpenRead:
      break;
    case FileMode::OpenReadExclusive:
      share = 0;
      break;
    case FileMode::Create:
      access = GENERIC_READ | GENERIC_WRITE;
      share = 0;
      disposition = CREATE_ALWAYS;
      break;
    case FileMode::CreateNew:
      access = GENERIC_READ | GENERIC_WRITE;
      share = 0;
      disposition = CREATE_NEW;
      break;
  }
  HANDLE h = CreateFileA(path.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) raise(path, mode, GetLastError());
  handle_ = h;
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

size_t FileStream::write(const void* buffer, size_t count) {
  size_t done = 0;
  while (done < count) {
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(count - done, 1u << 30));
    DWORD n = 0;
    if (!WriteFile(static_cast<HANDLE>(handle_), static_cast<const char*>(buffer) + done, chunk, &n, nullptr) || n == 0)
      break;
    done += n;
  }
  return done;
}

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
