// qalbum users, run as a real process on a Palm Desktop made for the test.
#include <gtest/gtest.h>

#include "base/Errors.h"
#include "cli/Messages.h"
#include "platform/Files.h"
#include "support/PalmFolders.h"
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
  // A second line tells how to give a Palm folder instead.
  const std::string err = withoutCarriageReturns(run.err);
  EXPECT_EQ(err.substr(0, err.find('\n') + 1), "Palm Desktop registry key not found!\n");

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

#ifndef _WIN32
// Palm Desktop in a Wine prefix whose folder cannot be used: qalbum says what
// it found and why it did not use it, then how to give a Palm folder instead.
TEST(UsersCommand, SaysWhyTheWinePrefixsPalmFolderWasNotUsed) {
  struct Case {
    std::string path;  // Palm Desktop's Path value
    std::string why;   // %s stands for the prefix
  };
  const std::vector<Case> cases = {
      {"C:\\Palm\\..\\..\\etc", "it climbs out with \"..\"."},
      {"\\\\server\\Palm", "it does not begin with a drive letter."},
      {"D:\\Palm", "there is no folder %s/dosdevices/d:."},
      {"C:\\Palm\\Gone", "there is no folder %s/dosdevices/c:/Palm/Gone."},
      {"C:\\PALM", "it holds no user with pictures."},
  };
  for (const Case& c : cases) {
    TempDir home;
    const fs::path prefix = home.root() / "wine";
    writeWinePrefix(prefix, c.path);
    fs::create_directories(prefix / "drive_c" / "Palm" / "Anna" / "Backup");
    const ProgramRun run = qalbum(home, {"users"}, {.environment = {"HOME=" + home.path(), "WINEPREFIX=" + prefix.string(),
                                                                    "QUILLORY_REGISTRY=" + home.path("none.reg"),
                                                                    "XDG_CONFIG_HOME=" + home.path("config")}});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    const std::string why = base::formatMessage(c.why, {prefix.string()});
    EXPECT_EQ(run.err, "Palm Desktop's folder \"" + c.path + "\" in the Wine prefix " + prefix.string() +
                           " was not used: " + why + "\n" + cli::msg::PalmFolderHint + "\n");
  }
}
#endif
