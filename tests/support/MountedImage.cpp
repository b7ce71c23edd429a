#include "support/MountedImage.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "support/ProgramRun.h"

namespace testsupport {

namespace {

struct KindSteps {
  const char* description;
  const char* tool;    // the program that must be there
  const char* format;  // formats the image given after it
  bool fuse;
};

KindSteps stepsOf(ImageKind kind) {
  switch (kind) {
    case ImageKind::ExfatFuse: return {"exFAT through FUSE", "mount.exfat-fuse", "mkfs.exfat", true};
    // fusefat mangles a folder that outgrows its first cluster: clusters of
    // 32 KiB hold a thousand entries.
    case ImageKind::VfatFuse: return {"vfat through FUSE", "fusefat", "mkfs.vfat -s 64", true};
    case ImageKind::NtfsFuse: return {"NTFS through FUSE", "ntfs-3g", "mkntfs -F -Q", true};
    case ImageKind::ExfatKernel: return {"exFAT in the kernel", "mkfs.exfat", "mkfs.exfat", false};
    case ImageKind::VfatKernel: return {"vfat in the kernel", "mkfs.vfat", "mkfs.vfat -s 64", false};
  }
  return {"?", "false", "false", false};
}

std::string firstLineOf(const std::string& command) {
  std::FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return {};
  char line[256] = {};
  const bool got = std::fgets(line, sizeof line, pipe) != nullptr;
  ::pclose(pipe);
  std::string text = got ? line : "";
  while (!text.empty() && text.back() == '\n') text.pop_back();
  return text;
}

}  // namespace

std::string MountedImage::describe(ImageKind kind) { return stepsOf(kind).description; }

MountedImage::MountedImage(ImageKind kind) {
  const KindSteps steps = stepsOf(kind);
  image_ = scratch_.path("image");
  mountPoint_ = scratch_.path("mnt");
  std::filesystem::create_directory(mountPoint_);
  if (::geteuid() != 0) {
    why_ = std::string("mounting ") + steps.description + " needs root";
    return;
  }
  if (steps.fuse && ::access("/dev/fuse", R_OK | W_OK) != 0) {
    why_ = "no /dev/fuse for " + std::string(steps.description);
    return;
  }
  if (!run(std::string("command -v ") + steps.tool, std::string(steps.tool) + " is not installed")) return;
  const std::string image = shellQuoted(image_), at = shellQuoted(mountPoint_);
  if (!run("truncate -s 128M " + image + " && " + steps.format + " " + image, "cannot format an image")) return;
  switch (kind) {
    case ImageKind::ExfatFuse:
      // exfat-fuse mounts only a block device.
      loopDevice_ = firstLineOf("losetup -f --show " + image + " 2>/dev/null");
      if (loopDevice_.empty()) {
        why_ = "no loop device for exFAT through FUSE";
        return;
      }
      run("mount.exfat-fuse " + shellQuoted(loopDevice_) + " " + at, "mount.exfat-fuse failed");
      break;
    case ImageKind::VfatFuse: run("fusefat -s -o rw+ " + image + " " + at, "fusefat failed"); break;
    case ImageKind::NtfsFuse: run("ntfs-3g " + image + " " + at, "ntfs-3g failed"); break;
    case ImageKind::ExfatKernel:
      run("mount -t exfat -o loop " + image + " " + at, "the kernel cannot mount exfat here");
      break;
    case ImageKind::VfatKernel:
      run("mount -t vfat -o loop " + image + " " + at, "the kernel cannot mount vfat here");
      break;
  }
  if (mounted()) run("mountpoint -q " + at, std::string(steps.description) + " did not mount");
}

MountedImage::~MountedImage() {
  const std::string at = shellQuoted(mountPoint_);
  // Nothing is left to do when these fail: the folder goes with the scratch folder.
  const std::string unmount = "mountpoint -q " + at + " && { umount " + at + " || umount -l " + at + "; }";
  if (std::system((unmount + " >/dev/null 2>&1").c_str()) != 0) {
  }
  const std::string detach = "losetup -d " + shellQuoted(loopDevice_) + " >/dev/null 2>&1";
  if (!loopDevice_.empty() && std::system(detach.c_str()) != 0) {
  }
}

bool MountedImage::run(const std::string& command, const std::string& failure) {
  // The FUSE programs stay as daemons: they must not hold the test's output open.
  if (std::system(("{ " + command + "; } </dev/null >/dev/null 2>&1").c_str()) == 0) return true;
  why_ = failure;
  return false;
}

}  // namespace testsupport
