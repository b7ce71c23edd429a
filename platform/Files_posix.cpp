#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

#include "base/Errors.h"
#include "platform/Files.h"

namespace platform {

bool fileExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool directoryExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool createDirectory(const std::string& path) { return ::mkdir(path.c_str(), 0777) == 0; }

bool replaceFile(const std::string& from, const std::string& to) { return std::rename(from.c_str(), to.c_str()) == 0; }

bool removeFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

bool fileWritable(const std::string& path) { return ::access(path.c_str(), W_OK) == 0; }

std::string lastErrorText() { return base::systemErrorText(errno); }

std::string programFilePath() {
  std::vector<char> buffer(4096);
  const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
  if (n <= 0) return {};
  return std::string(buffer.data(), static_cast<size_t>(n));
}

std::string programFolder() {
  const std::string file = programFilePath();
  const auto cut = file.rfind(kPathSeparator);
  return cut == std::string::npos ? std::string() : file.substr(0, cut + 1);
}

}  // namespace platform
