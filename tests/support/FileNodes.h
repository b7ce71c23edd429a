// Files that are no regular files, made for a test (POSIX): sockets and device nodes.
#pragma once

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <string>

namespace testsupport {

// A Unix socket bound at `path`, then closed: the name stays a socket.
inline bool makeSocket(const std::string& path) {
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
  const bool bound = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  ::close(fd);
  return bound;
}

// A device node (type S_IFCHR or S_IFBLK) at `path`; only root may make one.
inline bool makeDeviceNode(const std::string& path, mode_t type, unsigned major, unsigned minor) {
  return ::mknod(path.c_str(), type | 0666, makedev(major, minor)) == 0;
}

// The type bits of what `path` names itself (a link is not followed); 0 when nothing is there.
inline mode_t fileType(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0 ? (st.st_mode & S_IFMT) : 0;
}

}  // namespace testsupport
