// File-system primitives the program uses beside file streams.
#pragma once

#include <string>

namespace platform {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

bool fileExists(const std::string& path);
bool directoryExists(const std::string& path);
// Creates one folder level; false when it cannot be created.
bool createDirectory(const std::string& path);
// Moves `from` over `to`, replacing `to` in one step where the system allows.
bool replaceFile(const std::string& from, const std::string& to);
bool removeFile(const std::string& path);
// True when the file may be opened for writing; otherwise lastErrorText() tells why.
bool fileWritable(const std::string& path);
// The system's text for the last failed file operation of this thread.
std::string lastErrorText();
// Full path of the running program file.
std::string programFilePath();
// The folder of the running program file, with its trailing separator.
std::string programFolder();

}  // namespace platform
