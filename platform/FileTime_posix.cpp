#include <fcntl.h>
#include <sys/stat.h>

#include "platform/FileTime.h"

namespace platform {

bool setModificationTime(const std::string& path, int64_t unixSeconds) {
  struct timespec times[2] = {};
  times[0].tv_nsec = UTIME_OMIT;  // the access time stays
  times[1].tv_sec = static_cast<time_t>(unixSeconds);
  return ::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW) == 0;
}

}  // namespace platform
