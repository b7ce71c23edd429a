#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <vector>

#include "base/Errors.h"
#include "platform/FileWriterParts.h"
#include "platform/FileWriter_posix.h"
#include "platform/Files.h"

namespace platform {

namespace {

// As many links as the system itself follows in one path.
constexpr int kMaxLinks = 40;

// What the symlink at `path` holds, or nothing when `path` is no symlink.
std::optional<std::string> linkContent(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return std::nullopt;
  std::vector<char> buffer(static_cast<size_t>(st.st_size) + 2);
  for (;;) {
    const ssize_t n = ::readlink(path.c_str(), buffer.data(), buffer.size());
    if (n < 0) return std::nullopt;
    if (static_cast<size_t>(n) < buffer.size()) return std::string(buffer.data(), static_cast<size_t>(n));
    buffer.resize(buffer.size() * 2);  // the link grew since lstat
  }
}

// True when `path` itself (no link followed) is the file `st` describes.
bool names(const std::string& path, const struct stat& st) {
  struct stat own {};
  return ::lstat(path.c_str(), &own) == 0 && own.st_dev == st.st_dev && own.st_ino == st.st_ino;
}

OutputTarget refused(std::string why) { return {OutputTarget::Kind::Refused, {}, std::move(why)}; }

}  // namespace

OutputTarget resolveOutput(const std::string& target) {
  struct stat st {};
  const bool exists = ::stat(target.c_str(), &st) == 0;
  if (exists && (S_ISFIFO(st.st_mode) || S_ISCHR(st.st_mode))) return {OutputTarget::Kind::Device, target, {}};
  if (exists && S_ISDIR(st.st_mode)) return refused(base::systemErrorText(EISDIR));
  if (exists && !S_ISREG(st.st_mode)) return refused(kNotRegularFile);
  std::string path = target;
  for (int hop = 0; hop < kMaxLinks; ++hop) {
    const std::optional<std::string> next = linkContent(path);
    if (!next) {
      // A file reached only through a link of the system's own (a descriptor
      // of /proc whose file was deleted) has no name left to replace.
      if (exists && !names(path, st)) return refused(base::systemErrorText(ENOENT));
      return {OutputTarget::Kind::File, path, {}};
    }
    path = !next->empty() && next->front() == '/' ? *next : folderOf(path) + *next;
  }
  return refused(base::systemErrorText(ELOOP));
}

}  // namespace platform
