// Temporary files of the POSIX writer. Each is held with an exclusive flock for
// as long as its writer has it open, so a file that can be locked by someone
// else belongs to a writer that is gone (killed, or ended by a signal that ran
// no handler) and may be removed.
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <mutex>
#include <set>
#include <vector>

#include "platform/FileWriter.h"
#include "platform/FileWriterParts.h"
#include "platform/FileWriter_posix.h"

namespace platform {

namespace {

// --- Temporary files a signal handler removes --------------------------------
// A fixed table, so that the handler only reads memory and calls unlinkat().

constexpr int kLiveSlots = 64;
constexpr size_t kNameMax = 64;

struct LiveTemporary {
  int folder;
  char name[kNameMax];
};

LiveTemporary liveTemporaries[kLiveSlots];
std::atomic<bool> slotUsed[kLiveSlots];
std::mutex slotClaim;

int registerTemporary(int folder, const std::string& name) {
  if (name.size() >= kNameMax) return -1;
  const std::lock_guard<std::mutex> lock(slotClaim);
  for (int i = 0; i < kLiveSlots; ++i) {
    if (slotUsed[i].load()) continue;
    liveTemporaries[i].folder = folder;
    std::memcpy(liveTemporaries[i].name, name.c_str(), name.size() + 1);
    slotUsed[i].store(true);
    return i;
  }
  return -1;
}

extern "C" void removeTemporariesAndDie(int signal) {
  for (int i = 0; i < kLiveSlots; ++i)
    if (slotUsed[i].load()) ::unlinkat(liveTemporaries[i].folder, liveTemporaries[i].name, 0);
  // The handler was installed with SA_RESETHAND: the signal, raised again,
  // ends the process as it would have without a handler once this returns.
  ::raise(signal);
}

bool sameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// True when `fd` is open on the file that `name` in `folder` names now.
bool stillNamed(int folder, const std::string& name, int fd) {
  struct stat held {}, named {};
  return ::fstat(fd, &held) == 0 && ::fstatat(folder, name.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
         sameFile(held, named);
}

// Locks a new temporary file. Between its creation and the lock, another
// writer may have found it unlocked and removed it: then it is no longer
// named, and false tells the caller to take another name. A file system that
// cannot lock leaves it unlocked; no writer removes what it cannot lock.
bool lockNew(int folder, const std::string& name, int fd) {
  if (::flock(fd, LOCK_EX) != 0) return true;
  return stillNamed(folder, name, fd);
}

// Removes `name` when nobody holds it: a writer that is gone.
void removeIfAbandoned(int folder, const std::string& name) {
  const Descriptor fd(::openat(folder, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
  if (fd.get() < 0 || ::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) return;
  struct stat st {};
  if (::fstat(fd.get(), &st) == 0 && S_ISREG(st.st_mode) && stillNamed(folder, name, fd.get()))
    ::unlinkat(folder, name.c_str(), 0);
}

std::vector<std::string> temporaryNamesIn(int folder) {
  std::vector<std::string> names;
  const int listing = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (listing < 0) return names;
  DIR* dir = ::fdopendir(listing);
  if (dir == nullptr) {
    ::close(listing);
    return names;
  }
  while (const dirent* entry = ::readdir(dir))
    if (isTemporaryName(entry->d_name)) names.emplace_back(entry->d_name);
  ::closedir(dir);
  return names;
}

}  // namespace

int createTemporary(int folder, TemporaryFile& file) {
  for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
    file.name = temporaryName(temporaryNameRandom());
    // Listed before it exists, so that no signal can come between creating and listing it.
    file.slot = registerTemporary(folder, file.name);
    file.fd.reset(::openat(folder, file.name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    const int err = file.fd.get() >= 0 ? 0 : errno;
    if (err == 0 && lockNew(folder, file.name, file.fd.get())) return 0;
    file.fd.reset();
    forgetTemporary(file);
    if (err != 0 && err != EEXIST) return err;
  }
  return EEXIST;
}

void forgetTemporary(TemporaryFile& file) {
  if (file.slot >= 0) slotUsed[file.slot].store(false);
  file.slot = -1;
  file.name.clear();
}

void removeAbandonedTemporaries(int folder, const std::string& path) {
  static std::mutex guard;
  static std::set<std::string> cleared;
  const std::lock_guard<std::mutex> lock(guard);
  if (!cleared.insert(path).second) return;
  for (const std::string& name : temporaryNamesIn(folder)) removeIfAbandoned(folder, name);
}

void removeTemporaryFilesOnSignals() {
  ::signal(SIGXFSZ, SIG_IGN);
  for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) {
    struct sigaction old {};
    ::sigaction(signal, nullptr, &old);
    if (old.sa_handler == SIG_IGN) continue;  // started under nohup, or with SIGPIPE ignored: stay that way
    struct sigaction action {};
    action.sa_handler = removeTemporariesAndDie;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    ::sigaction(signal, &action, nullptr);
  }
}

}  // namespace platform
