// The POSIX file writer. Its temporary file goes through these states:
//   created and held  made exclusively in the target's folder, locked with
//                     flock and listed for the signal handler (TemporaryFiles_posix.cpp);
//   written           the content went into it;
//   closed for a batch (NewName) given a ticket and left unflushed until a
//                     flushBatch covers the ticket;
//   flushed           fsync'ed on its own, unless a batch flush covered it;
//   named             renamed over the target, or given a new name
//                     (NewName_posix.cpp); closed, its lock gone with it;
//   or discarded      unlinked, on a failure or when the writer goes unnamed.
// A FIFO or character device as the target has none: it is written in place.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdint>

#include "base/Errors.h"
#include "platform/FileWriter.h"
#include "platform/FileWriterParts.h"
#include "platform/FileWriter_posix.h"
#include "platform/Files.h"

namespace platform {

namespace {

// Files finished for a batch are numbered as they finish; a batch flush that
// succeeds covers every number given before it began.
std::atomic<uint64_t> finishedForBatch{0};
std::atomic<uint64_t> flushedUpTo{0};

mode_t newFileMode() {
  static const mode_t mode = [] {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return static_cast<mode_t>(0666 & ~mask);
  }();
  return mode;
}

// Mode bits and owners are best effort: FAT through FUSE has none and refuses to set them.
void setModeIfKept(int fd, mode_t mode) {
  if (::fchmod(fd, mode) != 0) {
  }
}

// Only root may give a file away; the new file otherwise stays the writer's own.
void setOwnerIfAllowed(int fd, const struct stat& old) {
  if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
  }
}

std::string baseName(const std::string& path) { return path.substr(folderOf(path).size()); }

// The folder that names are given in, open, so that a working folder too deep
// for one path still works. A folder that may be written but not read still
// takes names (O_PATH); it can then be neither listed, locked nor synced.
int openFolder(const std::string& folder) {
  const char* path = folder.empty() ? "." : folder.c_str();
  const int fd = ::open(path, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
#ifdef O_PATH
  if (fd < 0 && errno == EACCES) return ::open(path, O_PATH | O_DIRECTORY | O_CLOEXEC);
#endif
  return fd;
}

// A stream over the file's descriptor that keeps the cause of a failed write.
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

}  // namespace

class FileWriter::Impl {
 public:
  Impl(const std::string& target, Purpose purpose) : shown_(absolutePath(target)) {
    std::string path = target;
    if (purpose == Purpose::Replace) {
      const OutputTarget output = resolveOutput(target);
      if (output.kind == OutputTarget::Kind::Refused) fail(output.refusal);
      if (output.kind == OutputTarget::Kind::Device) {
        openDevice(target);
        return;
      }
      path = output.path;
    }
    const std::string folder = folderOf(path);
    name_ = baseName(path);
    folder_.reset(openFolder(folder));
    if (folder_.get() < 0) fail(errno);
    if (name_.empty()) fail(EISDIR);
    removeAbandonedTemporaries(folder_.get(), absolutePath(folder.empty() ? "./" : folder));
    if (const int err = createTemporary(folder_.get(), temporary_)) fail(err);
  }

  ~Impl() { discard(); }

  void write(const WriteContent& content) {
    DescriptorStream stream(file());
    writeThrough(stream, shown_, content, [this](int err) { fail(err); }, [this] { discard(); });
  }

  void replaceTarget() {
    if (device_.get() >= 0) {
      closeFile(device_);
      return;
    }
    struct stat old {};
    const bool exists = ::fstatat(folder_.get(), name_.c_str(), &old, AT_SYMLINK_NOFOLLOW) == 0;
    // Only a regular file is ever renamed over; something else may have taken the name since.
    if (exists && S_ISDIR(old.st_mode)) fail(EISDIR);
    if (exists && !S_ISREG(old.st_mode)) fail(kNotRegularFile);
    // A write-protected file stays as it is: renaming would replace it.
    if (exists && ::faccessat(folder_.get(), name_.c_str(), W_OK, 0) != 0) fail(errno);
    if (exists) setOwnerIfAllowed(file(), old);
    setModeIfKept(file(), exists ? old.st_mode & 07777 : newFileMode());
    makeDurable();
    if (::renameat(folder_.get(), temporary_.name.c_str(), folder_.get(), name_.c_str()) != 0) fail(errno);
    named();
    ::fsync(folder_.get());  // some file systems cannot sync a folder; their names are as durable as they get
  }

  void closeForBatch() {
    setModeIfKept(file(), newFileMode());
#ifdef __linux__
    ticket_ = ++finishedForBatch;
#else
    makeDurable();
#endif
  }

  bool takeNewName(const std::string& path) {
    name_ = baseName(path);
    shown_ = absolutePath(path);
    if (ticket_ == 0) setModeIfKept(file(), newFileMode());
    makeDurable();
    const NewNaming naming = nameWithoutReplacing(folder_.get(), temporary_.name, name_);
    if (naming.result == NewNaming::Result::Failed) fail(naming.error);
    if (naming.result == NewNaming::Result::Taken) return false;
    named();
    return true;
  }

 private:
  int file() const { return device_.get() >= 0 ? device_.get() : temporary_.fd.get(); }

  // A FIFO or character device takes the bytes as they come, in place, as cp
  // writes them; there is no old content to keep and no name to give.
  void openDevice(const std::string& target) {
    device_.reset(::open(target.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC));
    if (device_.get() < 0) fail(errno);
    struct stat st {};
    // Something else took the name between the look and the open.
    if (::fstat(device_.get(), &st) != 0 || !(S_ISFIFO(st.st_mode) || S_ISCHR(st.st_mode))) fail(EAGAIN);
  }

  // Flushes the file to disk, unless a batch flush since it was finished did.
  void makeDurable() {
    if (durable_) return;
    if ((ticket_ == 0 || ticket_ > flushedUpTo.load()) && ::fsync(file()) != 0) fail(errno);
    durable_ = true;
  }

  // The file has its name: the temporary one is gone, and so is its lock.
  void named() {
    forgetTemporary(temporary_);
    closeFile(temporary_.fd);
  }

  void closeFile(Descriptor& fd) {
    if (::close(fd.release()) != 0) fail(errno);
  }

  void discard() {
    if (!temporary_.name.empty()) ::unlinkat(folder_.get(), temporary_.name.c_str(), 0);
    forgetTemporary(temporary_);
    temporary_.fd.reset();
    device_.reset();
  }

  [[noreturn]] void fail(int err) { fail(base::systemErrorText(err)); }
  [[noreturn]] void fail(const std::string& reason) {
    discard();
    throw base::EFCreateError(shown_, reason);
  }

  std::string shown_;  // the target as messages name it
  std::string name_;   // the final name, in folder_
  Descriptor folder_;
  TemporaryFile temporary_;
  Descriptor device_;  // a FIFO or character device written through
  uint64_t ticket_ = 0;  // set once the file is finished for a batch
  bool durable_ = false;
};

FileWriter::FileWriter(const std::string& target, Purpose purpose) : impl_(std::make_unique<Impl>(target, purpose)) {}
FileWriter::~FileWriter() = default;
void FileWriter::write(const WriteContent& content) { impl_->write(content); }
void FileWriter::replaceTarget() { impl_->replaceTarget(); }
bool FileWriter::takeNewName(const std::string& path) { return impl_->takeNewName(path); }
void FileWriter::closeForBatch() { impl_->closeForBatch(); }

void flushBatch(const std::string& folder) {
#ifdef __linux__
  const Descriptor fd(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.get() < 0) return;
  const uint64_t upTo = finishedForBatch.load();
  if (::syncfs(fd.get()) == 0) {
    uint64_t seen = flushedUpTo.load();
    while (seen < upTo && !flushedUpTo.compare_exchange_weak(seen, upTo)) {
    }
  }
#else
  (void)folder;
#endif
}

void syncFolder(const std::string& folder) {
  const Descriptor fd(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  // Some file systems cannot sync a folder; their names are as durable as they get.
  if (fd.get() >= 0) ::fsync(fd.get());
}

}  // namespace platform
