// Runs the real qalbum on BMP files written to a temporary folder.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "tests/skin/GraphicEntries.h"
#include "tests/skin/RegionPictures.h"
#include "skin/VsGraphics.h"
#include "support/Qalbum.h"

using namespace region_test;

namespace {

class SkinRegionCommand : public ::testing::Test {
 protected:
  // A graphics stream file holding the one picture under the name "Pic".
  std::string save(const std::string& name, const base::Bitmap& bm) {
    const std::string path = dir_.path(name);
    skin::TVsGraphics graphics;
    skin_test::addGraphic(graphics, "Pic", bm);
    graphics.SaveToFile(path);
    return path;
  }

  // Runs qalbum with the arguments; returns its standard output and error, and the exit status.
  std::pair<std::string, int> run(const std::vector<std::string>& args) const {
    const testsupport::ProgramRun r = testsupport::qalbum(dir_, args);
    return {r.out + r.err, r.status};
  }

  testsupport::TempDir dir_;
};

}  // namespace

TEST_F(SkinRegionCommand, PrintsTheRectanglesThenTheirCount) {
  base::Bitmap bm(6, 3, base::PixelFormat::Rgb24);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 6; ++x) setRgb(bm, x, y, 0x00FFFFFF);
  for (int y : {0, 1})
    for (int x : {2, 3, 5}) setRgb(bm, x, y, 0);
  setRgb(bm, 0, 2, bgr(0x12, 0x34, 0x56));
  const std::string file = save("shape.vsg", bm);

  EXPECT_EQ(run({"skin", "region", file, "pic", "--mask", "FFFFFF"}), std::make_pair(std::string("2 0 4 2\n5 0 6 2\n0 2 1 3\n3\n"), 0));
  EXPECT_EQ(run({"skin", "region", "--mask", "123456", file, "Pic"}).first, "0 0 6 2\n1 2 6 3\n2\n");

  base::Bitmap blank = indexed(4, 4, 2);
  EXPECT_EQ(run({"skin", "region", save("blank.vsg", blank), "Pic", "--mask", "FF0000"}).first, "0\n");
}

TEST_F(SkinRegionCommand, RefusesBadArgumentsAndMissingFiles) {
  const auto [usage, usageStatus] = run({"skin", "region", "x.vsg", "Pic", "--mask", "FFF"});
  EXPECT_EQ(usage.rfind("Invalid mask colour \"FFF\".\n", 0), 0u) << usage;
  EXPECT_EQ(usageStatus, 2);
  EXPECT_EQ(run({"skin", "region", "x.vsg", "Pic"}).second, 2);
  const auto [text, status] = run({"skin", "region", dir_.path("none.vsg"), "Pic", "--mask", "000000"});
  EXPECT_EQ(status, 1);
  EXPECT_EQ(text.rfind("Cannot open file", 0), 0u) << text;
}
