#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "base/Errors.h"
#include "platform/FileStream.h"
#include "platform/Files.h"

namespace platform {

namespace {
// The reason shown when another program holds the file; POSIX has no text of its own for it.
constexpr const char* kFileInUse = "The process cannot access the file because it is being used by another process.";

// Why opening `path` failed with `error`. A socket, and a device without its
// driver, refuse to be opened at all (ENXIO): they are no regular file either.
std::string openFailure(const std::string& path, int error) {
  struct stat st {};
  if (error == ENXIO && ::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) return kNotRegularFile;
  return base::systemErrorText(error);
}
}  // namespace

// Opened without blocking, so that a FIFO named like an input cannot hold the
// program up, then refused unless it is a regular file.
FileStream::FileStream(const std::string& path, FileMode mode) : path_(path) {
  fd_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd_ < 0) {
    const int error = errno;
    throw base::EFOpenError(absolutePath(path), openFailure(path, error));
  }
  struct stat st {};
  std::string reason;
  if (::fstat(fd_, &st) != 0)
    reason = base::systemErrorText(errno);
  else if (S_ISDIR(st.st_mode))
    reason = base::systemErrorText(EISDIR);
  else if (!S_ISREG(st.st_mode))
    reason = kNotRegularFile;
  else if (mode == FileMode::OpenReadExclusive && ::flock(fd_, LOCK_EX | LOCK_NB) != 0)
    reason = errno == EWOULDBLOCK ? kFileInUse : base::systemErrorText(errno);
  if (!reason.empty()) {
    close();
    throw base::EFOpenError(absolutePath(path), reason);
  }
  ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
  if (mode == FileMode::OpenReadExclusive) fixedSize_ = static_cast<int64_t>(st.st_size);
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

size_t FileStream::write(const void*, size_t) { return 0; }

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
