// What the POSIX and the Win32 file writer share.
#pragma once

#include <random>
#include <string>

#include "base/Errors.h"
#include "platform/FileWriter.h"

namespace platform {

// Tries per writer before a taken temporary name counts as a failure.
inline constexpr int kTemporaryNameAttempts = 100;

// The folder of `path` with its trailing separator, or empty for a bare file name.
std::string folderOf(const std::string& path);

// ".qalbum-xxxxxxxx.tmp": hidden, and never a picture's or a database's name.
std::string temporaryName(std::mt19937_64& random);
std::mt19937_64& temporaryNameRandom();
// True for a name that temporaryName gives.
bool isTemporaryName(const std::string& name);

// Runs `content` on `stream`. A failed write ends in `fail` with the system's
// error code when the stream met one, else in "Cannot create file" with the
// stream's text; every failure discards the file first.
template <typename ErrorStream, typename Fail, typename Discard>
void writeThrough(ErrorStream& stream, const std::string& target, const WriteContent& content, Fail fail,
                  Discard discard) {
  try {
    content(stream);
  } catch (const base::EWriteError& e) {
    if (stream.error() != 0) fail(stream.error());
    discard();
    throw base::EFCreateError(target, e.what());
  } catch (...) {
    discard();
    throw;
  }
}

}  // namespace platform
