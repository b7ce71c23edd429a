// Where the help page and exports are, on real folder layouts: a portable
// program and an installed one (bin/ beside share/).
#include <gtest/gtest.h>

#include "app/ProgramPlaces.h"
#include "platform/Files.h"
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
