#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdint>
#include <cstring>
#include <mutex>

#include "base/Errors.h"
#include "platform/FileWriter.h"
#include "platform/FileWriterParts.h"
#include "platform/Files.h"

namespace platform {

namespace {

// --- Temporary files a signal handler removes --------------------------------
// A fixed table, so that the handler only reads memory and calls unlink().

constexpr int kLiveSlots = 64;
constexpr size_t kSlotPathMax = 4096;
char liveTemporaries[kLiveSlots][kSlotPathMax];
std::atomic<bool> slotUsed[kLiveSlots];
std::mutex slotClaim;

int registerTemporary(const std::string& path) {
  if (path.size() >= kSlotPathMax) return -1;
  const std::lock_guard<std::mutex> lock(slotClaim);
  for (int i = 0; i < kLiveSlots; ++i) {
    if (slotUsed[i].load()) continue;
    std::memcpy(liveTemporaries[i], path.c_str(), path.size() + 1);
    slotUsed[i].store(true);
    return i;
  }
  return -1;
}

void unregisterTemporary(int slot) {
  if (slot >= 0) slotUsed[slot].store(false);
}

extern "C" void removeTemporariesAndDie(int signal) {
  for (int i = 0; i < kLiveSlots; ++i)
    if (slotUsed[i].load()) ::unlink(liveTemporaries[i]);
  // The handler was installed with SA_RESETHAND: the signal, raised again,
  // ends the process as it would have without a handler once this returns.
  ::raise(signal);
}

// --- Small helpers --------------------------------------------------------------

// Files closed for a batch are numbered as they close; a batch flush that
// succeeds covers every number given before it began.
std::atomic<uint64_t> closedForBatch{0};
std::atomic<uint64_t> flushedUpTo{0};

mode_t newFileMode() {
  static const mode_t mode = [] {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return static_cast<mode_t>(0666 & ~mask);
  }();
  return mode;
}

bool isMissingHardLinks(int err) {
  return err == EPERM || err == ENOTSUP || err == EOPNOTSUPP || err == EXDEV || err == EMLINK || err == ENOSYS;
}

// A stream over the temporary file's descriptor that keeps the cause of a failed write.
class DescriptorStream : public base::Stream {
 public:
  explicit DescriptorStream(int fd) : fd_(fd) {}
  int error() const { return error_; }

  size_t read(void* buffer, size_t count) override {
    const ssize_t n = ::read(fd_, buffer, count);
    return n > 0 ? static_cast<size_t>(n) : 0;
  }
  size_t write(const void* buffer, size_t count) override {
    size_t done = 0;
    while (done < count) {
      const ssize_t n = ::write(fd_, static_cast<const char*>(buffer) + done, count - done);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {
        error_ = n < 0 ? errno : ENOSPC;
        break;
      }
      done += static_cast<size_t>(n);
    }
    return done;
  }
  int64_t seek(int64_t offset, base::SeekOrigin origin) override {
    const int whence = origin == base::SeekOrigin::Begin     ? SEEK_SET
                       : origin == base::SeekOrigin::Current ? SEEK_CUR
                                                             : SEEK_END;
    const off_t pos = ::lseek(fd_, static_cast<off_t>(offset), whence);
    return pos < 0 ? ::lseek(fd_, 0, SEEK_CUR) : pos;
  }
  int64_t size() override {
    struct stat st {};
    return ::fstat(fd_, &st) == 0 ? static_cast<int64_t>(st.st_size) : 0;
  }

 private:
  int fd_;
  int error_ = 0;
};

// Copies the whole of `from` into `to`; 0 or the errno of the failure.
int copyFile(int from, int to) {
  char buffer[1 << 16];
  for (off_t at = 0;;) {
    const ssize_t n = ::pread(from, buffer, sizeof buffer, at);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    if (n == 0) return 0;
    for (ssize_t done = 0; done < n;) {
      const ssize_t w = ::write(to, buffer + done, static_cast<size_t>(n - done));
      if (w < 0 && errno == EINTR) continue;
      if (w <= 0) return w < 0 ? errno : ENOSPC;
      done += w;
    }
    at += n;
  }
}

}  // namespace

class FileWriter::Impl {
 public:
  Impl(const std::string& target, Purpose purpose) : target_(absolutePath(target)) {
    const int err = createTemporary();
    if (err == 0) return;
    if (purpose == Purpose::Replace && (err == EACCES || err == EPERM) && openTargetInPlace()) return;
    fail(err);
  }

  ~Impl() { discard(); }

  void write(const WriteContent& content) {
    DescriptorStream stream(fd_);
    const auto emptyInPlace = [this] {
      if (inPlace_ && ::ftruncate(fd_, 0) != 0) fail(errno);
    };
    writeThrough(stream, target_, content, emptyInPlace, [this](int err) { fail(err); }, [this] { discard(); });
  }

  void replaceTarget() {
    if (inPlace_) {
      finish(0);
      return;
    }
    struct stat old {};
    const bool exists = ::lstat(target_.c_str(), &old) == 0;
    // A write-protected file stays as it is: renaming would replace it.
    if (exists && S_ISREG(old.st_mode) && ::access(target_.c_str(), W_OK) != 0) fail(errno);
    if (exists && S_ISREG(old.st_mode)) {
      if (::fchown(fd_, old.st_uid, old.st_gid) != 0) {
        // Only root may give a file away; the new file stays the writer's own.
      }
      finish(old.st_mode & 07777);
    } else {
      finish(newFileMode());
    }
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) fail(errno);
    named();
    syncFolder(folderOf(target_));
  }

  void closeForBatch() {
#ifdef __linux__
    if (::fchmod(fd_, newFileMode()) != 0) fail(errno);
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) fail(errno);
    ticket_ = ++closedForBatch;
#else
    finish(newFileMode());
#endif
  }

  bool takeNewName(const std::string& path, NewNameMethod first) {
    target_ = absolutePath(path);
    if (fd_ >= 0) finish(newFileMode());
    if (ticket_ > flushedUpTo.load()) flushClosed();
    ticket_ = 0;
    int err = 0;
    switch (first) {
      case NewNameMethod::HardLink:
        if (::link(temporary_.c_str(), target_.c_str()) == 0) {
          ::unlink(temporary_.c_str());
          named();
          return true;
        }
        err = errno;
        if (err == EEXIST) return false;
        if (!isMissingHardLinks(err)) fail(err);
        [[fallthrough]];
      case NewNameMethod::RenameNoReplace:
#if defined(__linux__) && defined(RENAME_NOREPLACE)
        if (::renameat2(AT_FDCWD, temporary_.c_str(), AT_FDCWD, target_.c_str(), RENAME_NOREPLACE) == 0) {
          named();
          return true;
        }
        err = errno;
        if (err == EEXIST) return false;
        if (err != EINVAL && err != ENOSYS && err != ENOTSUP && err != EOPNOTSUPP) fail(err);
#endif
        [[fallthrough]];
      case NewNameMethod::CopyExclusive:
        return copyToNewName();
    }
    return false;
  }

 private:
  // 0, or the errno of the failure.
  int createTemporary() {
    const std::string folder = folderOf(target_);
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
      temporary_ = folder + temporaryName(temporaryNameRandom());
      // Listed before it exists, so that no signal can come between creating and listing it.
      slot_ = registerTemporary(temporary_);
      fd_ = ::open(temporary_.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
      if (fd_ >= 0) return 0;
      const int err = errno;
      unregisterTemporary(slot_);
      slot_ = -1;
      if (err != EEXIST) {
        temporary_.clear();
        return err;
      }
    }
    temporary_.clear();
    return EEXIST;
  }

  // The folder refuses new files: an existing, writable, regular target is
  // emptied and written in place, as the only way left to save into it.
  bool openTargetInPlace() {
    const int fd = ::open(target_.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
      ::close(fd);
      return false;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    fd_ = fd;
    inPlace_ = true;
    return true;
  }

  // Sets the mode (0: leave it), flushes the file to disk and closes it.
  void finish(mode_t mode) {
    if (mode != 0 && ::fchmod(fd_, mode) != 0) fail(errno);
    if (::fsync(fd_) != 0) fail(errno);
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) fail(errno);
  }

  // A file closed for a batch that was not flushed since: flushed on its own.
  void flushClosed() {
    const int fd = ::open(temporary_.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) fail(errno);
    const int err = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    if (err != 0) fail(err);
  }

  // No hard links and no non-replacing rename: the final name is created
  // exclusively and the finished file copied into it.
  bool copyToNewName() {
    const int out = ::open(target_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, newFileMode());
    if (out < 0) {
      if (errno == EEXIST) return false;
      fail(errno);
    }
    const int in = ::open(temporary_.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    int err = in < 0 ? errno : copyFile(in, out);
    if (in >= 0) ::close(in);
    if (err == 0 && ::fsync(out) != 0) err = errno;
    if (::close(out) != 0 && err == 0) err = errno;
    if (err != 0) {
      ::unlink(target_.c_str());
      fail(err);
    }
    ::unlink(temporary_.c_str());
    named();
    return true;
  }

  void named() {
    temporary_.clear();
    unregisterTemporary(slot_);
    slot_ = -1;
  }

  void discard() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!temporary_.empty()) ::unlink(temporary_.c_str());
    named();
  }

  [[noreturn]] void fail(int err) {
    discard();
    throw base::EFCreateError(target_, base::systemErrorText(err));
  }

  std::string target_;
  std::string temporary_;
  int fd_ = -1;
  int slot_ = -1;
  bool inPlace_ = false;
  uint64_t ticket_ = 0;  // set while the file is closed for a batch and not yet named
};

FileWriter::FileWriter(const std::string& target, Purpose purpose) : impl_(std::make_unique<Impl>(target, purpose)) {}
FileWriter::~FileWriter() = default;
void FileWriter::write(const WriteContent& content) { impl_->write(content); }
void FileWriter::replaceTarget() { impl_->replaceTarget(); }
bool FileWriter::takeNewName(const std::string& path, NewNameMethod first) { return impl_->takeNewName(path, first); }
void FileWriter::closeForBatch() { impl_->closeForBatch(); }

void flushBatch(const std::string& folder) {
#ifdef __linux__
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  const uint64_t upTo = closedForBatch.load();
  if (::syncfs(fd) == 0) {
    uint64_t seen = flushedUpTo.load();
    while (seen < upTo && !flushedUpTo.compare_exchange_weak(seen, upTo)) {
    }
  }
  ::close(fd);
#else
  (void)folder;
#endif
}

void syncFolder(const std::string& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);  // some file systems cannot sync a folder; their names are as durable as they get
  ::close(fd);
}

void removeTemporaryFilesOnSignals() {
  ::signal(SIGXFSZ, SIG_IGN);
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
    struct sigaction old {};
    ::sigaction(signal, nullptr, &old);
    if (old.sa_handler == SIG_IGN) continue;  // started under nohup: stay that way
    struct sigaction action {};
    action.sa_handler = removeTemporariesAndDie;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    ::sigaction(signal, &action, nullptr);
  }
}

}  // namespace platform
