// A chain of folders whose full path is longer than PATH_MAX (POSIX), made and
// removed through folder descriptors, since no call can take such a path whole.
#pragma once

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <string>
#include <vector>

namespace testsupport {

class DeepFolder {
 public:
  // Makes the chain inside the folder `base`.
  explicit DeepFolder(const std::string& base) : top_(::open(base.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
    const std::string level(kLevelLength, 'd');
    path_ = base;
    int at = ::dup(top_);
    while (path_.size() <= PATH_MAX + 200) {
      ::mkdirat(at, level.c_str(), 0755);
      const int next = ::openat(at, level.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
      ::close(at);
      at = next;
      path_ += "/" + level;
    }
    deepest_ = at;
  }
  // Removes the chain with all that was put into it.
  ~DeepFolder() {
    ::close(deepest_);
    removeEntry(top_, std::string(kLevelLength, 'd'));
    ::close(top_);
  }
  DeepFolder(const DeepFolder&) = delete;
  DeepFolder& operator=(const DeepFolder&) = delete;

  // The deepest folder, open, for fchdir.
  int fd() const { return deepest_; }
  const std::string& path() const { return path_; }

 private:
  static constexpr size_t kLevelLength = 200;

  static void removeEntry(int folder, const std::string& name) {
    const int inner = ::openat(folder, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (inner >= 0) {
      removeInside(inner);
      ::close(inner);
    }
    ::unlinkat(folder, name.c_str(), inner >= 0 ? AT_REMOVEDIR : 0);
  }

  static void removeInside(int folder) {
    DIR* listing = ::fdopendir(::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (listing == nullptr) return;
    std::vector<std::string> names;
    while (const dirent* entry = ::readdir(listing)) names.emplace_back(entry->d_name);
    ::closedir(listing);
    for (const std::string& name : names)
      if (name != "." && name != "..") removeEntry(folder, name);
  }

  int top_;
  int deepest_ = -1;
  std::string path_;
};

}  // namespace testsupport
