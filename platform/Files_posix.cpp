#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string_view>
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

bool createDirectory(const std::string& path) {
  if (::mkdir(path.c_str(), 0777) == 0) return true;
  const int err = errno;
  if (err == EEXIST && directoryExists(path)) return true;
  errno = err;
  return false;
}

bool isTerminal(std::FILE* stream) { return ::isatty(::fileno(stream)) != 0; }

void setBinaryMode(std::FILE*) {}

bool setCurrentDirectory(const std::string& path) { return ::chdir(path.c_str()) == 0; }

std::string absolutePath(const std::string& path) {
  if (path.empty() || path.front() == '/') return path;
  std::vector<char> buffer(4096);
  while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (errno != ERANGE) return path;
    buffer.resize(buffer.size() * 2);
  }
  std::string folder(buffer.data());
  std::string_view rest = path;
  while (rest.starts_with("./")) rest.remove_prefix(2);
  if (folder.back() != '/') folder += '/';
  return folder.append(rest);
}

std::string lastErrorText() { return base::systemErrorText(errno); }

std::string configFolder() {
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && config[0] == '/')
    return std::string(config) + "/QuilloryAlbum";
  const char* home = std::getenv("HOME");
  return home && *home ? std::string(home) + "/.config/QuilloryAlbum" : std::string();
}

namespace {

// The value of `name` in the XDG user folders file: "$HOME/x" or an absolute
// path in double quotes; nullopt when the file or the line is missing or other.
std::optional<std::string> userFolderSetting(const std::string& file, const std::string& name,
                                             const std::string& home) {
  std::ifstream in(file);
  std::string line;
  while (std::getline(in, line)) {
    const std::string start = name + "=\"";
    if (!line.starts_with(start) || line.size() < start.size() + 1 || line.back() != '"') continue;
    std::string value = line.substr(start.size(), line.size() - start.size() - 1);
    if (value.starts_with("$HOME")) value.replace(0, 5, home);
    if (value.starts_with('/')) return value;
  }
  return std::nullopt;
}

}  // namespace

std::string homeFolder() {
  const char* home = std::getenv("HOME");
  return home != nullptr ? std::string(home) : std::string();
}

std::string picturesFolder() {
  const std::string home = homeFolder();
  const char* config = std::getenv("XDG_CONFIG_HOME");
  const std::string configHome = config && config[0] == '/' ? std::string(config)
                                 : home.empty()              ? std::string()
                                                             : home + "/.config";
  if (!configHome.empty())
    if (auto folder = userFolderSetting(configHome + "/user-dirs.dirs", "XDG_PICTURES_DIR", home)) {
      while (folder->size() > 1 && folder->back() == '/') folder->pop_back();
      return *folder;
    }
  return home.empty() ? std::string() : home + "/Pictures";
}

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
