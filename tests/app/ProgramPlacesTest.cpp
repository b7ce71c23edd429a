// Where the help page and exports are, on real folder layouts: a portable
// program and an installed one (bin/ beside share/, or beside the Windows
// installer's uninstaller).
#include <gtest/gtest.h>

#include "app/ProgramPlaces.h"
#include "platform/Files.h"
#include "support/Environment.h"
#include "support/TestSupport.h"

using namespace testsupport;

namespace {

const std::string sep(1, platform::kPathSeparator);

TEST(ProgramPlaces, AnInstalledProgramExportsIntoThePicturesAndFindsItsHelpInItsDataFolder) {
  TempDir root;
  const std::string prefix = root.path() + sep + "usr" + sep;
  const std::string bin = prefix + "bin" + sep;
  const std::string data = prefix + "share" + sep + "quillory-album" + sep;
  const std::string pictures = root.path() + sep + "Pictures";
  std::filesystem::create_directories(bin);
  // Documentation alone, which some systems keep and others leave out, decides nothing.
  std::filesystem::create_directories(prefix + "share" + sep + "doc" + sep + "quillory-album");

  // Only the folders decide, not who may write into them.
  EXPECT_FALSE(app::isInstalledLayout(bin));
  EXPECT_EQ(app::albumRoot(bin, pictures), bin);
  EXPECT_EQ(app::helpFolder(bin, "Help.htm"), bin);

  std::filesystem::create_directories(data);
  EXPECT_TRUE(app::isInstalledLayout(bin));
  EXPECT_EQ(app::albumRoot(bin, pictures), pictures + sep + "Quillory Album" + sep);
  EXPECT_EQ(app::helpFolder(bin, "Help.htm"), bin);  // missing everywhere: beside the program, as the message names it
  writeFile(data + "Help.htm", "<html></html>");
  EXPECT_EQ(app::helpFolder(bin, "Help.htm"), data);
  writeFile(bin + "Help.htm", "<html></html>");
  EXPECT_EQ(app::helpFolder(bin, "Help.htm"), bin);  // a page beside the program comes first
}

}  // namespace

namespace {

// The program's folder, unpacked from the portable ZIP or installed by the
// Windows installer, which writes its uninstaller beside the program.
TEST(ProgramPlaces, AProgramBesideTheInstallersUninstallerExportsIntoThePictures) {
  TempDir root;
  const std::string program = root.path() + sep + "Quillory Album" + sep;
  const std::string pictures = root.path() + sep + "Pictures";
  std::filesystem::create_directories(program + app::kUninstallerName + sep + "not a file");
  writeFile(program + app::kHelpFileName, "<html></html>");
  EXPECT_FALSE(app::isInstalledLayout(program));
  EXPECT_EQ(app::albumRoot(program, pictures), program);
  EXPECT_EQ(app::exportRoot(program), program);
  EXPECT_EQ(app::dialogStartFolder(program, "", pictures), program);

  std::filesystem::remove_all(program + app::kUninstallerName);
  writeFile(program + app::kUninstallerName, "MZ");
  EXPECT_TRUE(app::isInstalledLayout(program));
  EXPECT_EQ(app::albumRoot(program, pictures), pictures + sep + "Quillory Album" + sep);
  EXPECT_EQ(app::dialogStartFolder(program, "", pictures), pictures + sep);
  EXPECT_EQ(app::helpFolder(program, app::kHelpFileName), program);
}

// exportRoot asks the system for the pictures folder and makes the album folder
// there (and ~/Pictures when missing): in a home folder of the test's own,
// on Windows in the account's folder, removed again when the test made it.
TEST(ProgramPlaces, AnInstalledProgramsExportRootIsMadeInTheSystemsPicturesFolder) {
  TempDir root;
#ifndef _WIN32
  Environment environment;
  environment.set("HOME", root.path("home"));
  environment.unset("XDG_CONFIG_HOME");
  std::filesystem::create_directories(root.path("home"));
#endif
  const std::string pictures = platform::picturesFolder();
  ASSERT_FALSE(pictures.empty());
  const std::string program = root.path() + sep;
  writeFile(program + app::kUninstallerName, "MZ");
  const std::string expected = pictures + sep + "Quillory Album" + sep;
  const bool existed = std::filesystem::exists(expected);
  EXPECT_EQ(app::exportRoot(program), expected);
  EXPECT_TRUE(platform::directoryExists(expected));
  if (!existed) std::filesystem::remove(expected);
}

}  // namespace
