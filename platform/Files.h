// File-system primitives the program uses beside file streams.
#pragma once

#include <cstdio>
#include <string>

namespace platform {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// `folder` with a trailing separator ("./" for an empty one); '/' counts as one on Windows too.
inline std::string withSeparator(std::string folder) {
  if (folder.empty()) return std::string{'.', kPathSeparator};
  if (folder.back() != kPathSeparator && folder.back() != '/') folder += kPathSeparator;
  return folder;
}

// The last part of `path`, after its last separator ('/' counts as one on Windows too).
inline std::string fileNameOf(const std::string& path) {
  const auto cut = path.find_last_of(std::string("/") + kPathSeparator);
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

bool fileExists(const std::string& path);
bool directoryExists(const std::string& path);
// Creates one folder level. True too when a folder of that name is there
// already (made meanwhile by another run, say); false when it cannot be
// created, with the system's reason left for lastErrorText.
bool createDirectory(const std::string& path);
// The system's text for the last failed file operation of this thread.
std::string lastErrorText();
// Makes `path` the process's current directory; false when it cannot.
bool setCurrentDirectory(const std::string& path);
// `path` as an absolute path, for messages that name a file in full.
std::string absolutePath(const std::string& path);
// The reason given when an input is a folder, device, FIFO or socket.
inline constexpr const char* kNotRegularFile = "Not a regular file.";
// The folder where the program keeps its own files for the user, without a
// trailing separator: $XDG_CONFIG_HOME/QuilloryAlbum when that is an absolute
// path, else ~/.config/QuilloryAlbum; %APPDATA%\QuilloryAlbum on Windows.
// "" when neither is known.
std::string configFolder();
// The user's pictures folder, without a trailing separator: on Windows the
// Pictures known folder ("" when the system names none, or names one that the
// ANSI code page cannot spell); elsewhere XDG_PICTURES_DIR from the XDG user
// folders file ($XDG_CONFIG_HOME or ~/.config, user-dirs.dirs), else
// ~/Pictures ("" without a home folder). The folder need not exist.
std::string picturesFolder();
// The user's home folder, without a trailing separator ("" when unknown).
std::string homeFolder();

// True when `stream` goes to a terminal.
bool isTerminal(std::FILE* stream);
// Makes `stream` pass bytes unchanged (no line-end translation on Windows).
void setBinaryMode(std::FILE* stream);
// Full path of the running program file.
std::string programFilePath();
// The folder of the running program file, with its trailing separator.
std::string programFolder();

}  // namespace platform
