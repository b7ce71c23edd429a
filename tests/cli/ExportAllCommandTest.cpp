// qalbum export-all, export and convert on a family's Palm folder built by the
// test: every user's pictures, options, failures named, the databases' dates kept.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <tuple>
#include <iostream>

#include "album/Enlarge.h"
#include "album/PictureDatabase.h"
#include "base/Bitmap.h"
#include "base/Stream.h"
#include "support/PalmFolders.h"
#include "support/Pictures.h"
#include "support/PngFile.h"
#include "support/Qalbum.h"
#include "support/TempDir.h"

using namespace testsupport;

namespace {

using Outcome = testsupport::ProgramRun;

int64_t modificationTime(const fs::path& file) {
  struct stat st {};
  EXPECT_EQ(::stat(file.c_str(), &st), 0) << file;
  return st.st_mtime;
}

std::vector<std::string> entries(const fs::path& folder) { return sortedEntries(folder); }

base::Bitmap readBmp(const fs::path& file) {
  base::MemoryStream stream(TempDir::read(file.string()));
  base::Bitmap picture;
  picture.loadFromStream(stream);
  return picture;
}

class Family : public ::testing::Test {
 protected:
  void SetUp() override { pictures = writeFamily(palm); }
  TempDir dir;
  fs::path palm = fs::path(dir.path("Palm"));
  fs::path dest = fs::path(dir.path("Pictures"));
  fs::path broken = palm / "Ben" / "backup" / "QuilloryPicBroken.pdb";
  std::vector<FamilyPicture> pictures;
};

}  // namespace

TEST_F(Family, ExportAllStopsAtTheFirstFailureAndNamesIt) {
  const Outcome run = qalbum(dir, {"export-all", "--palm-folder", palm.string(), dest.string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find(broken.string() + ": "), std::string::npos) << run.err;
  EXPECT_EQ(run.out, "Anna: 2 exported, 0 skipped\nBen: 0 exported, 1 skipped\n");
  EXPECT_EQ(entries(dest / "Anna"), (std::vector<std::string>{"Pic_1.bmp", "Pic_2.bmp"}));
  EXPECT_TRUE(entries(dest / "Ben").empty());
  EXPECT_EQ(modificationTime(dest / "Anna" / "Pic_1.bmp"), pictures[0].time);
  EXPECT_EQ(modificationTime(dest / "Anna" / "Pic_2.bmp"), pictures[1].time);
}

TEST_F(Family, ExportAllKeepsGoingAddsToTheAlbumAndWritesEnlargedPng) {
  Outcome run = qalbum(dir, {"export-all", "--keep-going", "--palm-folder", palm.string(), dest.string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "Anna: 2 exported, 0 skipped\nBen: 1 exported, 1 skipped\n");
  EXPECT_NE(run.err.find(broken.string() + ": "), std::string::npos) << run.err;
  EXPECT_EQ(run.err.substr(run.err.rfind('\n', run.err.size() - 2) + 1), "3 exported, 1 skipped\n");

  // Again with PNG at three times the size: new files beside the BMPs, nothing replaced.
  fs::remove(broken);
  run = qalbum(dir, {"export-all", "--palm-folder", palm.string(), dest.string(), "--png", "--scale", "3"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(entries(dest / "Anna"), (std::vector<std::string>{"Pic_1.bmp", "Pic_1.png", "Pic_2.bmp", "Pic_2.png"}));
  EXPECT_EQ(entries(dest / "Ben"), (std::vector<std::string>{"Pic_1.bmp", "Pic_1.png"}));
  const std::vector<fs::path> bmps = {dest / "Anna" / "Pic_1.bmp", dest / "Anna" / "Pic_2.bmp", dest / "Ben" / "Pic_1.bmp"};
  for (size_t i = 0; i < bmps.size(); ++i) {
    fs::path png = bmps[i];
    png.replace_extension(".png");
    EXPECT_TRUE(samePixels(pngPicture(readPng(TempDir::read(png.string()))), album::enlarge(readBmp(bmps[i]), 3))) << png;
    EXPECT_EQ(modificationTime(bmps[i]), pictures[i].time);
    EXPECT_EQ(modificationTime(png), pictures[i].time);
  }
  run = qalbum(dir, {"export-all", "--palm-folder", palm.string(), dest.string(), "--scale", "9"});
  EXPECT_NE(run.status, 0);
}

TEST_F(Family, QuietLeavesOutWhatWentWell) {
  Outcome run = qalbum(dir, {"export-all", "--keep-going", "-q", "--palm-folder", palm.string(), dest.string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "Ben: 1 exported, 1 skipped\n");
  EXPECT_EQ(run.err, broken.string() + ": Stream read error\n3 exported, 1 skipped\n");

  fs::remove(broken);
  run = qalbum(dir, {"export-all", "--keep-going", "--quiet", "--palm-folder", palm.string(), dest.string()});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out + run.err, "");
  run = qalbum(dir, {"export", "--quiet", (palm / "Anna" / "Backup").string(), (dest / "Anna").string()});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out + run.err, "");
  EXPECT_EQ(entries(dest / "Anna").size(), 6u);  // three exports of two pictures each
}

// A thumbnail: the largest picture whole pixels make within the size asked for.
TEST_F(Family, ConvertFitsAPictureIntoTheSizeAskedFor) {
  fs::create_directories(dest);
  const std::string database = pictures[0].database.string();
  ASSERT_EQ(qalbum(dir, {"convert", database, (dest / "full.bmp").string()}).status, 0);
  const base::Bitmap full = readBmp(dest / "full.bmp");
  for (const int size : {100, 256, 1024}) {
    const fs::path thumbnail = dest / ("thumbnail-" + std::to_string(size) + ".png");
    const Outcome run = qalbum(dir, {"convert", "--size", std::to_string(size), "--format", "png", "--", database,
                                     thumbnail.string()});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(samePixels(pngPicture(readPng(TempDir::read(thumbnail.string()))), album::fitWithin(full, size))) << size;
  }
  for (const std::vector<std::string>& wrong : {std::vector<std::string>{"--size", "0"}, {"--size", "12x"},
                                                {"--size", "99999999999"}, {"--size", "64", "--scale", "2"}}) {
    std::vector<std::string> args{"convert"};
    args.insert(args.end(), wrong.begin(), wrong.end());
    args.insert(args.end(), {database, (dest / "wrong.png").string()});
    EXPECT_EQ(qalbum(dir, args).status, 2) << wrong[1];
  }
  EXPECT_FALSE(fs::exists(dest / "wrong.png"));
}

TEST_F(Family, ExportOfAPalmFolderNamesTheFoldersToUse) {
  Outcome run = qalbum(dir, {"export", palm.string(), dest.string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find((palm / "Anna" / "Backup").string() + "/"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find((palm / "Ben" / "backup").string() + "/"), std::string::npos) << run.err;
  run = qalbum(dir, {"export", (palm / "Anna").string(), dest.string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find((palm / "Anna" / "Backup").string() + "/"), std::string::npos) << run.err;
  EXPECT_FALSE(fs::exists(dest));

  run = qalbum(dir, {"users", "--palm-folder", palm.string()});
  EXPECT_EQ(run.out, "Anna\t" + (palm / "Anna").string() + "/\nBen\t" + (palm / "Ben").string() + "/\n");
}

TEST_F(Family, ConvertAndInfoCarryTheDatabasesDates) {
  const fs::path out = dest / "Boat.bmp";
  fs::create_directories(dest);
  Outcome run = qalbum(dir, {"convert", "--scale", "2", pictures[0].database.string(), out.string()});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(readBmp(out).width(), 320);
  EXPECT_EQ(modificationTime(out), pictures[0].time);
  // The enlarged file keeps the header fields of the picture as Save writes it.
  ASSERT_EQ(qalbum(dir, {"convert", pictures[0].database.string(), (dest / "plain.bmp").string()}).status, 0);
  const base::Bitmap plain = readBmp(dest / "plain.bmp"), large = readBmp(out);
  EXPECT_EQ(std::tie(large.xPelsPerMeter, large.yPelsPerMeter, large.colorsUsed, large.colorsImportant),
            std::tie(plain.xPelsPerMeter, plain.yPelsPerMeter, plain.colorsUsed, plain.colorsImportant));

  run = qalbum(dir, {"info", pictures[0].database.string()});
  EXPECT_NE(run.out.find("created: 2000-01-01 00:00:00 UTC\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("modified: 2003-04-10 18:40:00 UTC\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("type: Pict\n  creator: Qlry\n"), std::string::npos) << run.out;
}

#ifndef _WIN32
// A user folder named in UTF-8 keeps its name in the list and in the export,
// not a second encoding of it.
TEST_F(Family, AUserFolderNamedInUtf8KeepsItsName) {
  const std::string zoe = "Zo\xC3\xAB";
  writePicture(palm / zoe / "Backup" / "QuilloryPicKite.pdb", 7, 1080000000);
  Outcome run = qalbum(dir, {"users", "--palm-folder", palm.string()});
  EXPECT_NE(run.out.find(zoe + "\t" + (palm / zoe).string() + "/\n"), std::string::npos) << run.out;
  run = qalbum(dir, {"export-all", "--palm-folder", palm.string(), "--keep-going", dest.string()});
  EXPECT_NE(run.out.find(zoe + ": 1 exported, 0 skipped\n"), std::string::npos) << run.out;
  EXPECT_EQ(entries(dest / zoe), (std::vector<std::string>{"Pic_1.bmp"}));
}
#endif

// Users whose folder names once mapped to the same album: names Windows-1252
// cannot hold, a name in UTF-8 and in Windows-1252 bytes, names apart only in
// letter case. Each keeps a line and an album of its own, the same on every run.
TEST_F(Family, EveryUserKeepsALineAndAnAlbumOfItsOwn) {
  const fs::path twins = dir.root() / "Twins";
  struct User {
    std::string folder;         // the user folder's name, as bytes
    std::string shown;          // the name users and export-all print
    std::string shownFolder;    // the folder's name as users prints it
    std::string album;          // the album folder's name, as bytes
  };
  const std::string lea = "L\xC3\xA9" "a", zhong = "\xE4\xB8\xAD\xE6\x96\x87", ri = "\xE6\x97\xA5\xE6\x9C\xAC";
  const std::vector<User> users = {{"Anna", "Anna", "Anna", "Anna"},
                                   {lea, lea, lea, lea},
                                   {"L\xE9" "a", "L\\xe9a", "L\\xe9a", "L\xE9" "a"},
                                   {"anna", "anna (2)", "anna", "anna (2)"},
                                   {zhong, zhong, zhong, zhong},
                                   {ri, ri, ri, ri}};
  std::string lines, summary;
  for (size_t i = 0; i < users.size(); ++i) {
    writePicture(twins / users[i].folder / "Backup" / "QuilloryPicA.pdb", static_cast<uint8_t>(i), 0);
    lines += users[i].shown + "\t" + twins.string() + "/" + users[i].shownFolder + "/\n";
    summary += users[i].shown + ": 1 exported, 0 skipped\n";
  }
  for (int run = 0; run < 2; ++run) {
    const Outcome listed = qalbum(dir, {"users", "--palm-folder", twins.string()});
    EXPECT_EQ(listed.out, lines);
    const Outcome exported = qalbum(dir, {"export-all", "--palm-folder", twins.string(), dest.string()});
    EXPECT_EQ(exported.status, 0) << exported.err;
    EXPECT_EQ(exported.out, summary);
  }
  for (const User& user : users) {
    EXPECT_EQ(entries(dest / user.album), (std::vector<std::string>{"Pic_1.bmp", "Pic_2.bmp"})) << user.shown;
    const base::Bitmap own = album::decodePicture((twins / user.folder / "Backup" / "QuilloryPicA.pdb").string());
    EXPECT_TRUE(samePixels(readBmp(dest / user.album / "Pic_1.bmp"), own)) << user.shown;
  }
  EXPECT_EQ(entries(dest).size(), users.size());
}

// A copy that made both Backup and backup: the pictures of both are exported.
TEST_F(Family, ExportAllReadsEveryBackupFolderOfAUser) {
  writePicture(palm / "Ben" / "Backup" / "QuilloryPicCat.pdb", 9, 0);
  fs::remove(broken);
  const Outcome run = qalbum(dir, {"export-all", "--palm-folder", (palm / "Ben").string(), dest.string()});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "Ben: 2 exported, 0 skipped\n");
  EXPECT_EQ(entries(dest / "Ben"), (std::vector<std::string>{"Pic_1.bmp", "Pic_2.bmp"}));
}

// A Palm folder that cannot be read is named with the system's reason. Root
// reads every folder, so as root qalbum runs as nobody.
TEST_F(Family, APalmFolderThatCannotBeReadFailsNamingIt) {
  fs::create_directories(dir.root() / "locked");
  fs::permissions(dir.root() / "locked", fs::perms::none);
  RunOptions options{.workingDir = dir.path()};
  struct Case {
    std::string given;  // relative to the folder qalbum starts in
    std::string reason;
  };
  std::vector<Case> cases = {{"nowhere", "No such file or directory."},
                             {"Palm/Anna/Backup/QuilloryPicSun.pdb", "Not a directory."},
                             {"locked", "Permission denied."}};
  if (::geteuid() == 0 && fs::exists("/usr/bin/setpriv")) {
    options.shellPrefix = "/usr/bin/setpriv --reuid=65534 --regid=65534 --clear-groups";
  } else if (::geteuid() == 0) {
    std::cout << "Running as root without setpriv: the folder without permission is not tried.\n";
    cases.pop_back();
  }
  for (const Case& c : cases) {
    for (const std::string command : {"users", "export-all"}) {
      std::vector<std::string> args = {command, "--palm-folder", c.given};
      if (command == "export-all") args.push_back(dest.string());
      const Outcome run = qalbum(dir, args, options);
      EXPECT_EQ(run.status, 1) << command << ' ' << c.given;
      EXPECT_EQ(run.err, "Cannot open file \"" + dir.path(c.given) + "\". " + c.reason + "\n") << command;
      EXPECT_EQ(run.out, "");
    }
  }
  fs::permissions(dir.root() / "locked", fs::perms::owner_all);
  EXPECT_FALSE(fs::exists(dest));
}

TEST_F(Family, AlbumStopsAtADamagedDatabaseOrListsItAndGoesOn) {
  Outcome run = qalbum(dir, {"album", "--palm-folder", palm.string(), dest.string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err.rfind(broken.string() + ": ", 0), 0u) << run.err;
  EXPECT_EQ(run.out, "");
  EXPECT_FALSE(fs::exists(dest / "index.html"));

  run = qalbum(dir, {"album", dest.string(), "--keep-going", "--palm-folder", palm.string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "Anna: 2 in the album, 0 left out\nBen: 1 in the album, 1 left out\nThe album is in " +
                         (dest / "index.html").string() + "\n");
  EXPECT_EQ(entries(dest / "Anna"),
            (std::vector<std::string>{"2000-01-01 QuilloryPicBoat.png", "2000-01-01 QuilloryPicSun.png"}));
  EXPECT_EQ(modificationTime(dest / "Anna" / "2000-01-01 QuilloryPicSun.png"), pictures[1].time);
  run = qalbum(dir, {"album", "-q", "--keep-going", "--palm-folder", palm.string(), dest.string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "Ben: 1 in the album, 1 left out\n");

  fs::remove(broken);
  run = qalbum(dir, {"album", "--palm-folder", palm.string(), dest.string()});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  run = qalbum(dir, {"album", "--quiet", "--palm-folder", palm.string(), dest.string()});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out + run.err, "");
}
