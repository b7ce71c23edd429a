// A small file-system image made and mounted for a test (POSIX, as root), through
// FUSE or the kernel; unmounted and removed when the object goes. Where it cannot
// be mounted (no root, no /dev/fuse, a tool or kernel module missing), mounted()
// is false and why() says why, for GTEST_SKIP.
#pragma once

#include <string>

#include "support/TempDir.h"

namespace testsupport {

enum class ImageKind { ExfatFuse, VfatFuse, NtfsFuse, ExfatKernel, VfatKernel };

class MountedImage {
 public:
  explicit MountedImage(ImageKind kind);
  ~MountedImage();
  MountedImage(const MountedImage&) = delete;
  MountedImage& operator=(const MountedImage&) = delete;

  bool mounted() const { return why_.empty(); }
  const std::string& why() const { return why_; }
  // The mounted folder, or `name` inside it.
  std::string path(const std::string& name = {}) const { return name.empty() ? mountPoint_ : mountPoint_ + "/" + name; }
  // "exFAT through FUSE" and so on, for messages.
  static std::string describe(ImageKind kind);

 private:
  bool run(const std::string& command, const std::string& failure);

  TempDir scratch_;
  std::string image_;
  std::string mountPoint_;
  std::string loopDevice_;
  std::string why_;
};

}  // namespace testsupport
