// Setting a file's modification time, so that a written picture can carry the
// date of the database it came from.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// Sets the modification time of the file at `path` (not following a final
// symlink on POSIX) to `unixSeconds`, seconds since 1970-01-01 UTC. False when
// the system refuses; the file is otherwise left alone.
bool setModificationTime(const std::string& path, int64_t unixSeconds);

}  // namespace platform
