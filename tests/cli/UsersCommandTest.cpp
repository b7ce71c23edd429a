// qalbum users, run as a real process on a Palm Desktop made for the test.
#include <gtest/gtest.h>

#include "platform/Files.h"
#include "support/Qalbum.h"
#include "support/TestSupport.h"
#include "users/UserDirectory.h"

using namespace testsupport;

TEST(UsersCommand, PrintsNameTabFolderPerUserAndFailsWithTheMessage) {
  TempDir folder;
  TestRegistry registry(users::kPalmDesktopKey);
  if (!registry.usable()) GTEST_SKIP() << "the Palm Desktop key belongs to a real installation";

  ProgramRun run = qalbum(folder, {"users"});
  EXPECT_NE(run.status, 0);
  EXPECT_EQ(run.out, "");
  // Outside Windows a second line tells how to give a Palm folder instead.
  EXPECT_EQ(withoutCarriageReturns(run.err).substr(0, run.err.find('\n') + 1), "Palm Desktop registry key not found!\n");

  registry.setString("DesktopPath", (folder.root() / "Palm").string());
  run = qalbum(folder, {"users"});
  EXPECT_NE(run.status, 0);
  EXPECT_EQ(withoutCarriageReturns(run.err), "UserData.dll was not found!\n");

  installUserLibrary(userLibraryFile(), folder.root() / "Palm", "2\tZoe\tZ\n1\tAnna Berg\tA\n");
  registry.setString("Path", "Users");
  run = qalbum(folder, {"users"});
  EXPECT_EQ(run.status, 0) << run.err;
  const std::string sep(1, platform::kPathSeparator);
  EXPECT_EQ(withoutCarriageReturns(run.out), "Zoe\tUsers" + sep + "Z" + sep + "\nAnna Berg\tUsers" + sep + "A" + sep + "\n");
}

TEST(UsersCommand, PrintsUtf8WithControlCharactersEscaped) {
  TempDir folder;
  TestRegistry registry(users::kPalmDesktopKey);
  if (!registry.usable()) GTEST_SKIP() << "the Palm Desktop key belongs to a real installation";
  registry.setString("DesktopPath", (folder.root() / "Palm").string());
  registry.setString("Path", "U");
  // The library's names are Windows-1252; this one also holds an escape character.
  installUserLibrary(userLibraryFile(), folder.root() / "Palm", "2\tZo\xEB\x1B[2J\tZ\n");
  const ProgramRun run = qalbum(folder, {"users"});
  EXPECT_EQ(run.status, 0) << run.err;
  const std::string sep(1, platform::kPathSeparator);
  EXPECT_EQ(withoutCarriageReturns(run.out), "Zo\xC3\xAB\\x1b[2J\tU" + sep + "Z" + sep + "\n");
}
