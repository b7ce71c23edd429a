// The program as `cmake --install` lays it out, on a system that leaves out
// share/doc (minimal and container images): it still knows it is installed.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/ProgramPlaces.h"
#include "support/ProgramRun.h"

namespace fs = std::filesystem;

TEST(InstalledLayout, WithoutTheDocFolderTheProgramExportsIntoThePicturesAndFindsItsHelp) {
  testsupport::TempDir root;
  const fs::path prefix = root.root() / "usr";
  const testsupport::ProgramRun install =
      testsupport::runProgram(QA_CMAKE_COMMAND, {"--install", QA_BUILD_DIR, "--prefix", prefix.string()}, root);
  ASSERT_EQ(install.status, 0) << install.out << install.err;
  ASSERT_TRUE(fs::is_regular_file(prefix / "bin" / "QuilloryAlbum"));
  fs::remove_all(prefix / "share" / "doc");

  const std::string bin = (prefix / "bin").string() + "/";
  const std::string pictures = root.path("Pictures");
  EXPECT_TRUE(app::isInstalledLayout(bin));
  EXPECT_EQ(app::albumRoot(bin, pictures), pictures + "/Quillory Album/");
  const std::string help = app::helpFolder(bin, app::kHelpFileName);
  EXPECT_NE(help, bin);
  EXPECT_TRUE(fs::is_regular_file(help + app::kHelpFileName)) << help;
}
