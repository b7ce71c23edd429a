#include <gtest/gtest.h>

#include "support/PalmFolders.h"
#include "support/TestSupport.h"
#include "users/UserDirectory.h"
#include "users/UserSources.h"
#include "base/Errors.h"
#include "platform/Files.h"

using namespace testsupport;

namespace {

const std::string sep(1, platform::kPathSeparator);

class UserDirectory : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!registry.usable()) GTEST_SKIP() << "the Palm Desktop key belongs to a real installation";
  }

  // Palm Desktop in its own folder, with users listed as the stand-in library reads them.
  std::string installPalmDesktop(const std::string& userList,
                                 const std::filesystem::path& library = userLibraryFile()) {
    installUserLibrary(library, folder.root() / "Palm", userList);
    return (folder.root() / "Palm").string();
  }

  std::string usersLines(int n) {
    std::string lines;
    for (int i = 0; i < n; ++i)
      lines += std::to_string(100 + i) + "\tUser " + std::to_string(i) + "\tDir" + std::to_string(i) + "\n";
    return lines;
  }

  // The text GetUsersData raises EUsersNotFound with; empty when it gives users.
  static std::string usersFailure() {
    try {
      users::GetUsersData();
    } catch (const users::EUsersNotFound& e) {
      return e.what();
    }
    return {};
  }

  static void expectNoUsers(const users::UsersData& data) {
    EXPECT_EQ(data.userNames, std::vector<std::string>(users::kUserSlots));
    EXPECT_EQ(data.userDirs, std::vector<std::string>(users::kUserSlots));
    EXPECT_TRUE(data.items.empty());
    EXPECT_FALSE(data.selectFirst);
  }

  TempDir folder;
  TestRegistry registry{users::kPalmDesktopKey};
};

}  // namespace

TEST_F(UserDirectory, ListsUsersInTheLibrarysOrder) {
  registry.setString("DesktopPath", installPalmDesktop("# two users\n7\tZoe\tZoeH\n3\tAnna\tAnnaB\n"));
  registry.setString("Path", "C:\\Palm");
  const users::UsersData data = users::GetUsersData();
  EXPECT_EQ(data.items, (std::vector<std::string>{"Zoe", "Anna"}));
  EXPECT_TRUE(data.selectFirst);
  ASSERT_EQ(data.userNames.size(), users::kUserSlots);
  EXPECT_EQ(data.userNames[0], "Zoe");
  EXPECT_EQ(data.userNames[1], "Anna");
  EXPECT_EQ(data.userDirs[0], "C:\\Palm" + sep + "ZoeH" + sep);
  EXPECT_EQ(data.userDirs[1], "C:\\Palm" + sep + "AnnaB" + sep);
  for (size_t i = 2; i < users::kUserSlots; ++i) EXPECT_TRUE(data.userNames[i].empty() && data.userDirs[i].empty());
}

TEST_F(UserDirectory, FillsTenSlotsAndGrowsTheTableBeyondThem) {
  registry.setString("Path", "P");
  registry.setString("DesktopPath", installPalmDesktop(usersLines(10)));
  users::UsersData data = users::GetUsersData();
  EXPECT_EQ(data.items.size(), 10u);
  EXPECT_EQ(data.userNames.size(), 10u);
  EXPECT_EQ(data.userDirs[9], "P" + sep + "Dir9" + sep);
  EXPECT_TRUE(data.selectFirst);

  installPalmDesktop(usersLines(12));
  data = users::GetUsersData();
  ASSERT_EQ(data.items.size(), 12u);
  ASSERT_EQ(data.userNames.size(), 12u);
  ASSERT_EQ(data.userDirs.size(), 12u);
  for (size_t i = 0; i < 12; ++i) {
    EXPECT_EQ(data.items[i], data.userNames[i]);
    EXPECT_EQ(data.userNames[i], "User " + std::to_string(i));
    EXPECT_EQ(data.userDirs[i], "P" + sep + "Dir" + std::to_string(i) + sep);
  }
}

TEST_F(UserDirectory, ZeroUsersAndOnlyTheLow16BitsOfTheCount) {
  registry.setString("DesktopPath", installPalmDesktop("# nobody\n"));
  users::UsersData data = users::GetUsersData();
  expectNoUsers(data);

  installPalmDesktop("count\t65538\n1\tA\ta\n2\tB\tb\n");
  data = users::GetUsersData();
  EXPECT_EQ(data.items, (std::vector<std::string>{"A", "B"}));
}

TEST_F(UserDirectory, CutsTextsToTheReturnedSizeButNeverPastTheBufferOrAZero) {
  registry.setString("Path", "");
  registry.setString("DesktopPath", installPalmDesktop(
                                        "1\tAlexandra\tAlexandraK\t4\t9\n"  // sizes smaller than the texts
                                        "2\tBen\tBenT\t4\t5\n"              // sizes that count the terminating zero
                                        "3\t" + std::string(300, 'n') + "\tdir\t300\n"  // more than the buffer holds
                                        "4\tEmpty\t\n"));
  const users::UsersData data = users::GetUsersData();
  ASSERT_EQ(data.items.size(), 4u);
  EXPECT_EQ(data.userNames[0], "Alex");
  EXPECT_EQ(data.userDirs[0], sep + "Alexandra" + sep);
  EXPECT_EQ(data.userNames[1], "Ben");
  EXPECT_EQ(data.userDirs[1], sep + "BenT" + sep);
  EXPECT_EQ(data.userNames[2], std::string(256, 'n'));
  EXPECT_EQ(data.userDirs[3], sep + sep);  // empty Path and empty directory text
}

TEST_F(UserDirectory, TakesExpandableValuesAsStoredAndToleratesATrailingSeparator) {
  const std::string desktop = installPalmDesktop("1\tA\ta\n");
  registry.setExpandString("DesktopPath", desktop + sep);  // the loader accepts the doubled separator
  registry.setExpandString("Path", "%USERPROFILE%\\Palm");
  const users::UsersData data = users::GetUsersData();
  EXPECT_EQ(data.userDirs[0], "%USERPROFILE%\\Palm" + sep + "a" + sep);
}

TEST_F(UserDirectory, ReportsAMissingKeyValueOrLibrary) {
  EXPECT_EQ(usersFailure(), "Palm Desktop registry key not found!");

  registry.setString("Path", "C:\\Palm");
  EXPECT_EQ(usersFailure(), "Palm Desktop registry key not found!");
  registry.setString("DesktopPath", "");
  EXPECT_EQ(usersFailure(), "Palm Desktop registry key not found!");

  registry.setString("DesktopPath", (folder.root() / "NoPalmHere").string());
  EXPECT_EQ(usersFailure(), "UserData.dll was not found!");
}

TEST_F(UserDirectory, ReportsAMissingExportInsteadOfCallingIt) {
  registry.setString("DesktopPath", installPalmDesktop("1\tA\ta\n", userLibraryWithoutDirectoryFile()));
  EXPECT_EQ(usersFailure(), "UserData.dll has no function UmGetUserDirectory!");
}

TEST_F(UserDirectory, RaisesForValuesThatAreNotText) {
  registry.setString("DesktopPath", installPalmDesktop("1\tA\ta\n"));
  registry.setDWord("Path", 5);
  try {
    users::GetUsersData();
    FAIL() << "a number taken as the users' folder";
  } catch (const base::ERegistryException& e) {
    EXPECT_STREQ(e.what(), "Invalid data type for 'Path'");
  }
  registry.setDWord("DesktopPath", 5);
  EXPECT_THROW(users::GetUsersData(), base::ERegistryException);
}

// Users the library names alike, letter case aside, get numbered names and
// albums; names that can be no folder stay as they are (their export is refused).
TEST_F(UserDirectory, UsersNamedAlikeGetNumberedNamesAndAlbums) {
  registry.setString("DesktopPath", installPalmDesktop("1\tAnna\tA\n2\tAnna\tB\n3\tAnna (2)\tC\n4\tANNA\tD\n"
                                                       "5\t..\tE\n6\t..\tF\n"));
  registry.setString("Path", "P");
  const users::UsersData data = users::GetUsersData();
  const std::vector<std::string> names = {"Anna", "Anna (3)", "Anna (2)", "ANNA (4)", "..", ".."};
  EXPECT_EQ(data.items, names);
  EXPECT_EQ(std::vector<std::string>(data.albumNames.begin(), data.albumNames.begin() + 6), names);
}

#ifdef _WIN32
// A library the program cannot load (a 32-bit UserData.dll in the 64-bit
// program, a file that is no library): the users come from scanning the Palm
// folder that the key names, with no error, while GetUsersData alone still says
// the library is missing.
TEST_F(UserDirectory, ALibraryOfTheWrongFormatGivesTheUsersOfThePalmFolder) {
  const fs::path palm = folder.root() / "Palm Folder";
  writeFamily(palm);
  const fs::path text = folder.root() / "Text.dll";
  writeFile(text, "no library");
  std::vector<fs::path> libraries = {text};
#ifdef _WIN64
  ASSERT_FALSE(userLibrary32File().empty()) << "no 32-bit stand-in library beside this 64-bit program";
  libraries.push_back(userLibrary32File());
#endif
  for (const fs::path& library : libraries) {
    SCOPED_TRACE(library.string());
    registry.setString("DesktopPath", installPalmDesktop("1\tZoe\tZoeH\n", library));
    registry.setString("Path", palm.string());
    EXPECT_EQ(usersFailure(), "UserData.dll was not found!");
    users::UsersData data = users::findUsers("");
    EXPECT_EQ(data.items, (std::vector<std::string>{"Anna", "Ben"}));
    EXPECT_EQ(data.userDirs[1], palm.string() + sep + "Ben" + sep);
    EXPECT_TRUE(data.selectFirst);

    registry.setString("Path", "");
    data = users::findUsers("");
    expectNoUsers(data);
  }
}

// Without Palm Desktop the Palm folder opened last (a copied folder that was
// dropped on the window) gives the users, as it does outside Windows; Palm
// Desktop's own users come first once it is there.
TEST_F(UserDirectory, WithoutPalmDesktopThePalmFolderOpenedLastGivesTheUsers) {
  const fs::path copied = folder.root() / "Copied";
  writeFamily(copied);
  EXPECT_EQ(users::findUsers(copied.string()).items, (std::vector<std::string>{"Anna", "Ben"}));
  EXPECT_THROW(users::findUsers((folder.root() / "Nothing").string()), users::EUsersNotFound);
  registry.setString("DesktopPath", installPalmDesktop("1\tZoe\tZoeH\n"));
  registry.setString("Path", "P");
  EXPECT_EQ(users::findUsers(copied.string()).items, std::vector<std::string>{"Zoe"});
}
#endif
