// Setting a file's modification time, so that a written picture can carry the
// date of the database it came from.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// Sets the modification time of the file at `path` to `unixSeconds`, seconds
// since 1970-01-01 UTC. On POSIX a symlink's file takes it, as the writer
// replaced that file, and only a regular file does. False when the system
// refuses or `path` is no regular file; the file is otherwise left alone.
bool setModificationTime(const std::string& path, int64_t unixSeconds);

}  // namespace platform
