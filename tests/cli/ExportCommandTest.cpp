// qalbum export, run as a program on real folders.
#include <gtest/gtest.h>

#include <filesystem>

#include "album/DatabaseBuilder.h"
#include "album/PictureDatabase.h"
#include "platform/Files.h"
#include "support/Qalbum.h"
#include "support/TempDir.h"

using testsupport::TempDir;

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

TEST(ExportCommand, ExportsDatabasesInNameOrderAndFailsOnABadOne) {
  TempDir backup, album, scratch;
  // Written out of order: the export takes them by name.
  backup.write("QuilloryPicC.pdb", album::buildPictureDatabase("QuilloryPicC", filled(22400, 3)));
  backup.write("QuilloryPicA.pdb", album::buildPictureDatabase("QuilloryPicA", filled(22400, 1)));
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

  backup.write("QuilloryPicD.pdb", album::buildPictureDatabase("NotAPicture", filled(22400, 4)));
  const CommandRun bad = qalbumExport(backup.path(), dest, scratch);
  EXPECT_EQ(bad.status, 1);
  EXPECT_EQ(bad.errors, backup.path("QuilloryPicD.pdb") + ": Invalid database file!\n");
  EXPECT_TRUE(std::filesystem::exists(dest + "/Pic_6.bmp"));  // A to C went in before D stopped it
  EXPECT_FALSE(std::filesystem::exists(dest + "/Pic_7.bmp"));

  const CommandRun missing = qalbumExport(backup.path("nowhere"), dest, scratch);
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.errors.find("Cannot open file"), std::string::npos);
}
