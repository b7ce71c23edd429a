// Users found without Palm Desktop: Palm folders, Wine prefixes, J-Pilot backups,
// and the order in which the program asks these places.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>

#include "support/Environment.h"
#include "support/PalmFolders.h"
#include "support/TestSupport.h"
#include "users/Messages.h"
#include "users/PalmFolder.h"
#include "users/UserSources.h"
#include "users/WineRegistry.h"

using namespace testsupport;

namespace {

std::vector<std::pair<std::string, std::string>> pairs(const std::vector<users::PalmUser>& found) {
  std::vector<std::pair<std::string, std::string>> out;
  for (const auto& u : found) out.emplace_back(u.name, u.folder);
  return out;
}

std::string folderText(const fs::path& p) { return p.string() + "/"; }

}  // namespace

TEST(PalmFolder, FindsTheUsersWithPicturesAndSkipsWhatCannotBeRead) {
  TempDir temp;
  const fs::path palm = temp.root() / "Palm";
  writeFamily(palm);
  // Hostile neighbours: a picture name on a FIFO, a symlink loop, a link back to
  // the Palm folder, a Backup that is a file, and thousands of empty folders.
  fs::create_directories(palm / "Dan" / "Backup");
  ASSERT_EQ(::mkfifo((palm / "Dan" / "Backup" / "QuilloryPic1.pdb").c_str(), 0600), 0);
  fs::create_directory_symlink("Loop", palm / "Loop");
  fs::create_directory_symlink("..", palm / "Up");
  writeBytes(palm / "Fay" / "Backup", {1});
  for (int i = 0; i < 3000; ++i) fs::create_directory(palm / ("empty" + std::to_string(i)));
  fs::create_directories(palm / "Gus" / "Backup");
  writePicture(palm / "Gus" / "Backup" / "QuilloryPicA.pdb", 1, 0);
  ::chmod((palm / "Gus").c_str(), 0);
  const bool permissionsHold = ::geteuid() != 0;

  auto expected = std::vector<std::pair<std::string, std::string>>{{"Anna", folderText(palm / "Anna")},
                                                                   {"Ben", folderText(palm / "Ben")}};
  if (!permissionsHold) expected.emplace_back("Gus", folderText(palm / "Gus"));
  EXPECT_EQ(pairs(users::scanPalmFolder(palm.string())), expected);
  ::chmod((palm / "Gus").c_str(), 0700);

  // A user's folder, or its Backup folder taken as a flat backup, is one user.
  EXPECT_EQ(pairs(users::scanPalmFolder((palm / "Ben").string() + "/")),
            (std::vector<std::pair<std::string, std::string>>{{"Ben", folderText(palm / "Ben")}}));
  EXPECT_EQ(pairs(users::scanPalmFolder((palm / "Anna" / "Backup").string())),
            (std::vector<std::pair<std::string, std::string>>{{"Backup", folderText(palm / "Anna" / "Backup")}}));
  EXPECT_TRUE(users::scanPalmFolder((palm / "Cleo").string()).empty());
  EXPECT_TRUE(users::scanPalmFolder((palm / "Nowhere").string()).empty());
  EXPECT_TRUE(users::scanPalmFolder((palm / "Fay" / "Backup").string()).empty());

  EXPECT_EQ(users::backupFoldersOf(folderText(palm / "Ben")), std::vector<std::string>{"backup/"});
  EXPECT_EQ(users::backupFoldersOf(folderText(palm / "Anna" / "Backup")), std::vector<std::string>{""});
}

TEST(WineRegistry, ReadsStringValuesOfWinesOwnFormat) {
  const std::string head = "WINE REGISTRY Version 2\n;; All keys relative to \\\\User\\\\S-1\n\n";
  const std::string key = "[Software\\\\U.S. Robotics\\\\Pilot Desktop\\\\Core] 1262300400\n";
  struct Case {
    std::string text;
    std::optional<std::string> path;
  };
  const std::vector<Case> cases = {
      {head + key + "\"Path\"=\"C:\\\\Palm\"\n", "C:\\Palm"},
      {head + "[software\\\\u.s. robotics\\\\pilot desktop\\\\core]\r\n\"PATH\"=\"C:\\\\Palm\"\r\n", "C:\\Palm"},
      {head + key + "\"Path\"=str(2):\"%ProgramFiles%\\\\Palm\"\n", "%ProgramFiles%\\Palm"},
      {head + key + "\"Path\"=\"C:\\\\Gr\\x00fc\\x00dfe \\\"Anna\\\"\"\n", "C:\\Gr\xC3\xBC\xC3\x9F" "e \"Anna\""},
      {head + key + "\"Path\"=\"C:\\\\\\x4e2d\"\n", "C:\\\xE4\xB8\xAD"},
      {head + key + "\"Path\"=dword:00000001\n", std::nullopt},
      {head + key + "\"Path\"=hex(2):43,00,3a,00,00,00\n", std::nullopt},
      {head + key + "\"Path\"=\"C:\\\\Pa", std::nullopt},  // cut inside the text
      {head + "[Software\\\\Other]\n\"Path\"=\"C:\\\\Palm\"\n" + key + "\"DesktopPath\"=\"x\"\n", std::nullopt},
      {"REGEDIT4\n" + key + "\"Path\"=\"C:\\\\Palm\"\n", std::nullopt},
      {head + key + "\"Path\"=\"\"\n", ""},
      {"", std::nullopt},
  };
  for (const Case& c : cases)
    EXPECT_EQ(users::readWineRegistryString(c.text, "Software\\U.S. Robotics\\Pilot Desktop\\Core", "Path"), c.path)
        << c.text;
}

TEST(WineRegistry, FindsThePalmFolderThroughDosdevicesInAnyLetterCase) {
  TempDir temp;
  const fs::path prefix = temp.root() / "wine";
  writeWinePrefix(prefix, "C:\\PROGRAM FILES\\palm");
  writeFamily(prefix / "drive_c" / "Program Files" / "Palm");
  const std::string palm = folderText(prefix / "dosdevices" / "c:" / "Program Files" / "Palm");
  const auto desktop = users::winePalmDesktop(prefix.string());
  ASSERT_TRUE(desktop);
  EXPECT_EQ(desktop->path, "C:\\PROGRAM FILES\\palm");
  EXPECT_EQ(desktop->palmFolder.folder, palm);

  for (const char* unusable : {"D:\\Palm", "C:\\..\\..\\etc", "\\\\server\\Palm", "Palm", "C:\\Program Files\\None"})
    EXPECT_EQ(users::folderInWinePrefix(prefix.string(), unusable).folder, std::nullopt) << unusable;

  // A user.reg that is a FIFO is not read (and does not block).
  fs::remove(prefix / "user.reg");
  ASSERT_EQ(::mkfifo((prefix / "user.reg").c_str(), 0600), 0);
  EXPECT_FALSE(users::winePalmDesktop(prefix.string()));
}

TEST(UserSources, TakeTheFirstPlaceThatGivesUsers) {
  TempDir temp;
  const fs::path home = temp.root() / "home";
  fs::create_directories(home);
  testsupport::Environment environment;
  environment.set("HOME", home.string());
  environment.set("WINEPREFIX", (temp.root() / "wine").string());
  environment.set("QUILLORY_REGISTRY", (temp.root() / "none.reg").string());
  auto names = [](const users::UsersData& data) { return data.items; };

  try {
    users::findUsers("");
    ADD_FAILURE() << "users found where there are none";
  } catch (const users::EUsersNotFound& e) {
    EXPECT_STREQ(e.what(), users::msg::RegistryKeyNotFound);
  }

  writePicture(home / ".jpilot" / "backup" / "QuilloryPicKite.pdb", 1, 0);
  EXPECT_EQ(names(users::findUsers("")), std::vector<std::string>{"backup"});

  writeWinePrefix(temp.root() / "wine", "C:\\Palm");
  writeFamily(temp.root() / "wine" / "drive_c" / "Palm");
  EXPECT_EQ(names(users::findUsers("")), (std::vector<std::string>{"Anna", "Ben"}));

  writePicture(temp.root() / "Copied" / "Zoe" / "Backup" / "QuilloryPicTree.pdb", 1, 0);
  const users::UsersData copied = users::findUsers((temp.root() / "Copied").string());
  EXPECT_EQ(names(copied), std::vector<std::string>{"Zoe"});
  EXPECT_EQ(copied.userDirs[0], folderText(temp.root() / "Copied" / "Zoe"));
  EXPECT_TRUE(copied.selectFirst);

  PalmDesktop desktop;
  desktop.writeRegistry();
  desktop.setUsers({{"Mum", "MumF"}});
  EXPECT_EQ(names(users::findUsers((temp.root() / "Copied").string())), std::vector<std::string>{"Mum"});
}
