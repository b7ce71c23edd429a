// What the POSIX and the Win32 file writer share.
#pragma once

#include <random>
#include <string>

namespace platform {

// Tries per writer before a taken temporary name counts as a failure.
inline constexpr int kTemporaryNameAttempts = 100;

// The folder of `path` with its trailing separator, or empty for a bare file name.
std::string folderOf(const std::string& path);

// ".qalbum-xxxxxxxx.tmp": hidden, and never a picture's or a database's name.
std::string temporaryName(std::mt19937_64& random);
std::mt19937_64& temporaryNameRandom();

}  // namespace platform
