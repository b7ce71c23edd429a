#include <gtest/gtest.h>

#include <set>

#include "album/PictureDatabase.h"
#include "support/TempDir.h"
#include "tools/demo-album/DemoAlbum.h"

TEST(DemoAlbum, EveryDatabaseDecodesAtItsSizeAndShowsADrawing) {
  testsupport::TempDir dir;
  const std::vector<std::string> paths = demo::writeDemoAlbum(dir.path());
  ASSERT_GE(paths.size(), 24u);
  for (const std::string& path : paths) {
    album::PictureDatabase db(path);
    EXPECT_TRUE(db.hasPictureName()) << path;
    EXPECT_EQ(path, dir.path(db.name() + ".pdb"));
    const bool large = db.name().ends_with("Large");
    EXPECT_EQ(db.pictureSize(), large ? album::PictureSize::Large : album::PictureSize::Small) << path;
    EXPECT_EQ(db.pixelByteCount(), large ? 89600 : 22400);
    db.close();

    const base::Bitmap picture = album::decodePicture(path);
    std::set<uint8_t> colours(picture.bits().begin(), picture.bits().end());
    EXPECT_GE(colours.size(), 4u) << path;  // a drawing, not a blank page
  }
}

TEST(DemoAlbum, BothSizesShowTheSameDrawing) {
  const std::vector<demo::DemoDatabase> dbs = demo::demoDatabases();
  for (size_t i = 0; i + 1 < dbs.size(); i += 2) {
    const base::Bitmap small = album::decodePicture(dbs[i].bytes.data(), dbs[i].bytes.size());
    const base::Bitmap large = album::decodePicture(dbs[i + 1].bytes.data(), dbs[i + 1].bytes.size());
    int same = 0;
    for (int y = 0; y < 140; ++y)
      for (int x = 0; x < 160; ++x) same += small.scanLine(y)[x] == large.scanLine(2 * y + 1)[2 * x + 1];
    EXPECT_GT(same, 160 * 140 * 95 / 100) << dbs[i].fileName;
  }
}
