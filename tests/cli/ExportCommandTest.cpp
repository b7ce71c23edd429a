// qalbum export, run as a program on real folders.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <future>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "tools/DatabaseBuilder.h"
#include "album/PictureDatabase.h"
#include "platform/Files.h"
#include "support/Qalbum.h"
#include "support/TempDir.h"

using testsupport::ProgramRun;
using testsupport::TempDir;
namespace fs = std::filesystem;

namespace {

struct CommandRun {
  int status;
  std::string errors;
};

CommandRun qalbumExport(const std::string& folder, const std::string& dest, const TempDir& scratch) {
  const testsupport::ProgramRun run = testsupport::qalbum(scratch, {"export", folder, dest});
  return {run.status, testsupport::withoutCarriageReturns(run.err)};
}

std::vector<uint8_t> filled(size_t count, uint8_t value) { return std::vector<uint8_t>(count, value); }

}  // namespace

// Pictures are taken as Windows lists a folder: by name, letters of either
// case alike ('_' comes after the letters).
TEST(ExportCommand, ExportsDatabasesInNameOrderAndFailsOnABadOne) {
  TempDir backup, album, scratch;
  backup.write("QuilloryPic_c.pdb", album::buildPictureDatabase("QuilloryPicC", filled(22400, 3)));
  backup.write("QuilloryPica.pdb", album::buildPictureDatabase("QuilloryPicA", filled(22400, 1)));
  backup.write("QuilloryPicB.pdb", album::buildPictureDatabase("QuilloryPicB", filled(89600, 2)));
  backup.write("Notes.pdb", album::buildPictureDatabase("Other", filled(10, 0)));
  const std::string dest = album.path("Anna");

  const CommandRun ok = qalbumExport(backup.path(), dest, scratch);
  EXPECT_EQ(ok.status, 0);
  EXPECT_EQ(ok.errors, "The pictures was successfully exported to " + dest + platform::kPathSeparator + "\n");
  for (int n = 1; n <= 3; ++n) {
    const auto bytes = TempDir::read(dest + "/Pic_" + std::to_string(n) + ".bmp");
    ASSERT_GT(bytes.size(), 1078u);
    EXPECT_EQ(bytes[1078], n) << n;  // each database's pixels are all its own letter's number
  }
  EXPECT_FALSE(std::filesystem::exists(dest + "/Pic_4.bmp"));

  backup.write("QuilloryPic_d.pdb", album::buildPictureDatabase("NotAPicture", filled(22400, 4)));
  const CommandRun bad = qalbumExport(backup.path(), dest, scratch);
  EXPECT_EQ(bad.status, 1);
  EXPECT_EQ(bad.errors, backup.path("QuilloryPic_d.pdb") + ": Invalid database file!\n");
  EXPECT_TRUE(std::filesystem::exists(dest + "/Pic_6.bmp"));  // A to C went in before D stopped it
  EXPECT_FALSE(std::filesystem::exists(dest + "/Pic_7.bmp"));
}

TEST(ExportCommand, ASourceFolderThatCannotBeReadIsAFailureNamedInFull) {
  TempDir dir;
  fs::create_directory(dir.path("empty"));
  dir.write("file.pdb", {1});
  std::vector<std::pair<std::string, std::string>> folders = {{"nowhere", ""}, {"file.pdb", ""}};
#ifndef _WIN32
  fs::create_directory(dir.path("locked"));
  ::chmod(dir.path("locked").c_str(), 0);
  // The superuser reads any folder unless it gives up that right.
  folders.emplace_back("locked", ::geteuid() == 0 ? "setpriv --bounding-set=-dac_override,-dac_read_search" : "");
#endif
  for (const auto& [folder, prefix] : folders) {
    for (const char* option : {"--png", "--keep-going"}) {
      const testsupport::RunOptions at{.workingDir = dir.path(), .shellPrefix = prefix};
      const ProgramRun run = testsupport::qalbum(dir, {"export", option, folder, "out"}, at);
      const std::string named = "Cannot open file \"" + dir.path(folder) + "\". ";
      EXPECT_EQ(run.status, 1) << folder;
      EXPECT_EQ(run.err.rfind(named, 0), 0u) << run.err;  // and the system's reason, on one line
      EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
  }
  // A readable folder without picture databases: nothing to do, and it says so.
  const ProgramRun run = testsupport::qalbum(dir, {"export", "empty", "out"}, {.workingDir = dir.path()});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(testsupport::withoutCarriageReturns(run.err), dir.path("empty") + " holds no picture database.\n");
  EXPECT_FALSE(fs::exists(dir.path("out")));
}

// Exports at once into an album with free numbers for one of them: each counts
// only the pictures that took a name, so the counts add up to the files.
TEST(ExportCommand, ExportsAtOnceCountOnlyThePicturesTheyNamed) {
  constexpr int kPictures = 40;
  TempDir album, backups[4];
  for (int n = 1; n <= 5000 - kPictures; ++n) album.write("Pic_" + std::to_string(n) + ".png", {});
  std::vector<std::future<ProgramRun>> runs;
  const std::vector<uint8_t> database = album::buildPictureDatabase("QuilloryPic", filled(22400, 1));
  for (const TempDir& backup : backups) {  // a database is open to one reader at a time
    for (int i = 0; i < kPictures; ++i) backup.write("QuilloryPic" + std::to_string(i) + ".pdb", database);
    runs.push_back(std::async(std::launch::async, [&] {
      return testsupport::qalbum(backup, {"export", "--png", "--keep-going", backup.path(), album.path()},
                                 {.timeoutSeconds = 60});
    }));
  }
  int counted = 0;
  for (auto& run : runs) {
    const std::string errors = testsupport::withoutCarriageReturns(run.get().err);
    counted += std::stoi(errors.substr(errors.rfind('\n', errors.size() - 2) + 1));  // "<n> exported, 0 skipped"
  }
  const auto written = std::count_if(fs::directory_iterator(album.path()), fs::directory_iterator(),
                                     [](const fs::directory_entry& e) { return e.file_size() > 0; });
  EXPECT_EQ(written, kPictures);
  EXPECT_EQ(counted, kPictures);
}
