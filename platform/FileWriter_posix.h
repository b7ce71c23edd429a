// What the POSIX file writer is made of: the target a replacing write goes to,
// its temporary files (created locked, listed for the signal handler, and
// removed by a later writer once the process that made them is gone), and the
// ways a finished file takes a new name.
#pragma once

#include <unistd.h>

#include <string>

namespace platform {

// An open descriptor, closed when the object goes.
class Descriptor {
 public:
  explicit Descriptor(int fd = -1) : fd_(fd) {}
  ~Descriptor() { reset(); }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;

  int get() const { return fd_; }
  void reset(int fd = -1) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
  }
  // Hands the descriptor over, leaving this one empty.
  int release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }

 private:
  int fd_;
};

// --- The target of a replacing write ------------------------------------------

struct OutputTarget {
  enum class Kind {
    File,     // a regular file or nothing yet, at `path`: replaced or made
    Device,   // a FIFO or character device: written through, in place
    Refused,  // a folder, socket or block device; `refusal` says why
  };
  Kind kind;
  std::string path;  // File: the file itself, every symlink on the way followed
  std::string refusal;
};

// What `target` names, following symlinks to the file they lead to; a dangling
// link leads to the file it would name.
OutputTarget resolveOutput(const std::string& target);

// --- Temporary files ---------------------------------------------------------------

struct TemporaryFile {
  Descriptor fd;
  std::string name;  // in the folder it was made in
  int slot = -1;     // its place in the signal handler's table, -1 when it has none
};

// Creates a new temporary file in the open folder `folder`, held with an
// exclusive flock while it stays open; 0, or the errno of the failure.
int createTemporary(int folder, TemporaryFile& file);

// Takes the file out of the signal handler's table, once it has its name or is gone.
void forgetTemporary(TemporaryFile& file);

// Removes the temporary files of ours in `folder` that no open writer holds,
// left by a process that was killed; once per folder and process. `path` is
// the folder's absolute path, which tells folders apart.
void removeAbandonedTemporaries(int folder, const std::string& path);

// --- Taking a new name ----------------------------------------------------------

struct NewNaming {
  enum class Result { Named, Taken, Failed } result;
  int error = 0;  // Failed: the errno of the failure
};

// Gives the temporary file `temporary` in the open folder `folder` the name
// `name` unless that is taken: by a hard link, else by a non-replacing rename,
// else by a rename under a lock on the folder (FAT, exFAT through FUSE).
NewNaming nameWithoutReplacing(int folder, const std::string& temporary, const std::string& name);

}  // namespace platform
