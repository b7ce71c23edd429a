// qalbum writing onto FAT, exFAT and NTFS images, mounted through FUSE or the
// kernel: every write works where the file system keeps no modes, has no hard
// links or no non-replacing rename, and an export killed at any point leaves no
// cut or empty picture under a final name. Each file system is skipped, with
// the reason, where it cannot be mounted.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>

#include "tools/DatabaseBuilder.h"
#include "support/MountedImage.h"
#include "support/Qalbum.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;
using testsupport::ImageKind;
using testsupport::MountedImage;
using testsupport::TempDir;

namespace {

constexpr int kDatabases = 8;

// A backup folder of `kDatabases` large pictures, all alike, and the picture
// each one makes at scale 2, written on the local disk.
struct Backup {
  Backup() {
    fs::create_directory(dir.path("backup"));
    const auto database = album::buildPictureDatabase("QuilloryPicA", std::vector<uint8_t>(89600, 7));
    for (int i = 0; i < kDatabases; ++i) dir.write("backup/QuilloryPic" + std::to_string(i) + ".pdb", database);
    testsupport::qalbum(dir, {"convert", "--scale", "2", dir.path("backup/QuilloryPic0.pdb"), dir.path("ref.bmp")});
    picture = TempDir::read(dir.path("ref.bmp"));
  }
  TempDir dir;
  std::vector<uint8_t> picture;
};

std::vector<std::string> namesIn(const std::string& folder, const std::string& prefix) {
  std::vector<std::string> found;
  std::error_code none;
  for (const auto& e : fs::directory_iterator(folder, none))
    if (e.path().filename().string().starts_with(prefix)) found.push_back(e.path().filename().string());
  return found;
}

// Every picture in `folder` that is not whole.
std::vector<std::string> cutPictures(const std::string& folder, const std::vector<uint8_t>& whole) {
  std::vector<std::string> cut;
  for (const std::string& name : namesIn(folder, "Pic_"))
    if (const auto bytes = TempDir::read(folder + "/" + name); bytes != whole)
      cut.push_back(name + " (" + std::to_string(bytes.size()) + " bytes)");
  return cut;
}

std::string kindName(const ::testing::TestParamInfo<ImageKind>& info) {
  static const char* const names[] = {"ExfatFuse", "VfatFuse", "NtfsFuse", "ExfatKernel", "VfatKernel"};
  return names[static_cast<int>(info.param)];
}

class OnFileSystem : public ::testing::TestWithParam<ImageKind> {
 protected:
  void SetUp() override {
    image = std::make_unique<MountedImage>(GetParam());
    if (!image->mounted()) GTEST_SKIP() << image->why();
  }

  testsupport::ProgramRun qalbum(const std::vector<std::string>& args) {
    return testsupport::qalbum(backup.dir, args, {.timeoutSeconds = 30});
  }
  std::vector<std::string> exportArgs() {
    return {"export", "--scale", "2", backup.dir.path("backup"), image->path("album")};
  }

  Backup backup;
  std::unique_ptr<MountedImage> image;
};

}  // namespace

TEST_P(OnFileSystem, ExportAndConvertWriteWholeFiles) {
  for (int run = 0; run < 2; ++run) {
    const auto exported = qalbum(exportArgs());
    EXPECT_EQ(exported.status, 0) << exported.err;
  }
  EXPECT_EQ(namesIn(image->path("album"), "Pic_").size(), 2u * kDatabases);
  EXPECT_EQ(cutPictures(image->path("album"), backup.picture), std::vector<std::string>{});

  testsupport::writeFile(image->path("old.bmp"), "an old file");
  const auto converted =
      qalbum({"convert", "--scale", "2", backup.dir.path("backup/QuilloryPic0.pdb"), image->path("old.bmp")});
  EXPECT_EQ(converted.status, 0) << converted.err;
  EXPECT_TRUE(TempDir::read(image->path("old.bmp")) == backup.picture);
  EXPECT_EQ(namesIn(image->path(), ".qalbum-").size() + namesIn(image->path("album"), ".qalbum-").size(), 0u);
}

// Each round kills an export as soon as it has named a picture or more, when
// a name that is being filled would be seen; the last run goes to the end and
// clears what the killed ones left.
TEST_P(OnFileSystem, KilledExportsNeverLeaveACutPicture) {
  const std::string album = image->path("album");
  fs::create_directory(album);
  const auto start = std::chrono::steady_clock::now();
  for (int round = 0; round < 15 && std::chrono::steady_clock::now() - start < std::chrono::seconds(30); ++round) {
    const pid_t pid = ::fork();
    if (pid == 0) {
      if (!::freopen("/dev/null", "w", stderr)) ::_exit(126);
      std::vector<std::string> args = exportArgs();
      std::vector<char*> argv{const_cast<char*>("qalbum")};
      for (std::string& a : args) argv.push_back(a.data());
      argv.push_back(nullptr);
      ::execv(testsupport::builtProgram("qalbum").c_str(), argv.data());
      ::_exit(127);
    }
    const size_t before = namesIn(album, "Pic_").size();
    const size_t killAt = before + 1 + round % 3;
    int status = 0;
    while (::waitpid(pid, &status, WNOHANG) == 0) {
      if (namesIn(album, "Pic_").size() < killAt) continue;
      ::kill(pid, SIGKILL);
      ::waitpid(pid, &status, 0);
      break;
    }
    EXPECT_EQ(cutPictures(album, backup.picture), std::vector<std::string>{}) << "round " << round;
  }
  const auto last = qalbum(exportArgs());
  EXPECT_EQ(last.status, 0) << last.err;
  EXPECT_EQ(cutPictures(album, backup.picture), std::vector<std::string>{});
  EXPECT_EQ(namesIn(album, ".qalbum-"), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Images, OnFileSystem,
                         ::testing::Values(ImageKind::ExfatFuse, ImageKind::VfatFuse, ImageKind::NtfsFuse,
                                           ImageKind::ExfatKernel, ImageKind::VfatKernel),
                         kindName);
