// The ways a finished temporary file takes a name that must not be overwritten,
// each the fallback of the one before on file systems that lack it.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <optional>

#include "platform/FileWriter_posix.h"

namespace platform {

namespace {

bool isMissingHardLinks(int err) {
  return err == EPERM || err == ENOTSUP || err == EOPNOTSUPP || err == EXDEV || err == EMLINK || err == ENOSYS;
}

bool isMissingNoReplace(int err) { return err == EINVAL || err == ENOSYS || err == ENOTSUP || err == EOPNOTSUPP; }

constexpr NewNaming kNamed{NewNaming::Result::Named};
constexpr NewNaming kTaken{NewNaming::Result::Taken};
NewNaming failed(int err) { return {NewNaming::Result::Failed, err}; }

// Nothing when the file system lacks the way tried: the next one is tried then.
using Attempt = std::optional<NewNaming>;

Attempt outcomeOf(int err, bool unsupported) {
  if (err == EEXIST) return kTaken;
  if (unsupported) return std::nullopt;
  return failed(err);
}

// Holds an exclusive flock on a folder while it lives.
class FolderLock {
 public:
  explicit FolderLock(int folder) : folder_(folder), error_(::flock(folder, LOCK_EX) == 0 ? 0 : errno) {}
  ~FolderLock() {
    if (error_ == 0) ::flock(folder_, LOCK_UN);
  }
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;
  int error() const { return error_; }

 private:
  int folder_;
  int error_;
};

Attempt hardLink(int folder, const std::string& temporary, const std::string& name) {
  if (::linkat(folder, temporary.c_str(), folder, name.c_str(), 0) == 0) {
    ::unlinkat(folder, temporary.c_str(), 0);
    return kNamed;
  }
  return outcomeOf(errno, isMissingHardLinks(errno));
}

Attempt renameNoReplace(int folder, const std::string& temporary, const std::string& name) {
#if defined(__linux__) && defined(RENAME_NOREPLACE)
  if (::renameat2(folder, temporary.c_str(), folder, name.c_str(), RENAME_NOREPLACE) == 0) return kNamed;
  return outcomeOf(errno, isMissingNoReplace(errno));
#else
  (void)folder, (void)temporary, (void)name;
  return std::nullopt;
#endif
}

// Neither hard links nor a non-replacing rename (FAT and exFAT through FUSE).
// The writers of this program take names one at a time under an exclusive
// flock on the folder, so for them the look that finds a name free and the
// rename that takes it are one step; the rename is atomic, so the name never
// holds a partial file. Only a program that is not ours, taking that very
// name between the two, could lose its file.
NewNaming renameUnderLock(int folder, const std::string& temporary, const std::string& name) {
  const FolderLock lock(folder);
  if (lock.error() != 0) return failed(lock.error());
  struct stat st {};
  if (::fstatat(folder, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0) return kTaken;
  if (errno != ENOENT) return failed(errno);
  if (::renameat(folder, temporary.c_str(), folder, name.c_str()) != 0) return failed(errno);
  return kNamed;
}

}  // namespace

NewNaming nameWithoutReplacing(int folder, const std::string& temporary, const std::string& name) {
  if (const Attempt linked = hardLink(folder, temporary, name)) return *linked;
  if (const Attempt renamed = renameNoReplace(folder, temporary, name)) return *renamed;
  return renameUnderLock(folder, temporary, name);
}

}  // namespace platform
