#include <fcntl.h>
#include <sys/stat.h>

#include "platform/FileTime.h"

namespace platform {

bool setModificationTime(const std::string& path, int64_t unixSeconds) {
  struct stat st {};
  // A device or FIFO that a picture was written through keeps its own time.
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  struct timespec times[2] = {};
  times[0].tv_nsec = UTIME_OMIT;  // the access time stays
  times[1].tv_sec = static_cast<time_t>(unixSeconds);
  return ::utimensat(AT_FDCWD, path.c_str(), times, 0) == 0;
}

}  // namespace platform
