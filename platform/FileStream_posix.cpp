#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "base/Errors.h"
#include "platform/FileStream.h"

namespace platform {

namespace {
// The reason shown when another program holds the file; POSIX has no text of its own for it.
constexpr const char* kFileInUse = "The process cannot access the file because it is being used by another process.";

int openFlags(FileMode mode) {
  switch (mode) {
    case FileMode::OpenRead:
    case FileMode::OpenReadExclusive:
      return O_RDONLY;
    case FileMode::Create:
      return O_WRONLY | O_CREAT | O_TRUNC;
    case FileMode::CreateNew:
      return O_WRONLY | O_CREAT | O_EXCL;
  }
  return O_RDONLY;
}

bool isCreate(FileMode mode) { return mode == FileMode::Create || mode == FileMode::CreateNew; }

[[noreturn]] void raise(const std::string& path, FileMode mode, const std::string& reason) {
  if (isCreate(mode)) throw base::EFCreateError(path, reason);
  throw base::EFOpenError(path, reason);
}
}  // namespace

FileStream::FileStream(const std::string& path, FileMode mode) : path_(path) {
  fd_ = ::open(path.c_str(), openFlags(mode) | O_CLOEXEC, 0666);
  if (fd_ < 0) raise(path, mode, base::systemErrorText(errno));
  // Opening a folder for reading succeeds on POSIX; a file stream refuses it. Creating
  // never opens a folder: open() itself fails with EEXIST or EISDIR.
  struct stat st {};
  const bool statted = !isCreate(mode) && ::fstat(fd_, &st) == 0;
  if (statted && S_ISDIR(st.st_mode)) {
    close();
    raise(path, mode, base::systemErrorText(EISDIR));
  }
  if (mode == FileMode::OpenReadExclusive && ::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
    const int err = errno;
    close();
    raise(path, mode, err == EWOULDBLOCK ? kFileInUse : base::systemErrorText(err));
  }
  if (mode == FileMode::OpenReadExclusive && statted) fixedSize_ = static_cast<int64_t>(st.st_size);
}

FileStream::~FileStream() { close(); }

void FileStream::close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

size_t FileStream::read(void* buffer, size_t count) {
  size_t done = 0;
  while (done < count) {
    const ssize_t n = ::read(fd_, static_cast<char*>(buffer) + done, count - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<size_t>(n);
  }
  return done;
}

size_t FileStream::write(const void* buffer, size_t count) {
  size_t done = 0;
  while (done < count) {
    const ssize_t n = ::write(fd_, static_cast<const char*>(buffer) + done, count - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<size_t>(n);
  }
  return done;
}

int64_t FileStream::seek(int64_t offset, base::SeekOrigin origin) {
  const int whence = origin == base::SeekOrigin::Begin ? SEEK_SET : origin == base::SeekOrigin::Current ? SEEK_CUR : SEEK_END;
  const off_t pos = ::lseek(fd_, static_cast<off_t>(offset), whence);
  return pos < 0 ? ::lseek(fd_, 0, SEEK_CUR) : pos;
}

int64_t FileStream::size() {
  if (fixedSize_ >= 0) return fixedSize_;
  struct stat st {};
  return ::fstat(fd_, &st) == 0 ? static_cast<int64_t>(st.st_size) : 0;
}

}  // namespace platform
