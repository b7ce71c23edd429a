#include <gtest/gtest.h>

#include "tools/DatabaseBuilder.h"
#include "album/PictureDatabase.h"
#include "base/Errors.h"
#include "support/TempDir.h"

#include "support/ErrorText.h"
#include "support/Pictures.h"

using namespace album;
using testsupport::TempDir;

namespace {

// A one-record database whose file is exactly fileSize bytes long.
std::vector<uint8_t> databaseOfSize(size_t fileSize, const std::string& name = "QuilloryPicTest") {
  return buildPictureDatabase(name, testsupport::pixelPattern(fileSize - 88));
}

// Checks that the upright picture holds `filled` pixel bytes from the pattern, row
// by row from the top, and white after them.
void expectFilledThenWhite(const base::Bitmap& picture, size_t filled) {
  const std::vector<uint8_t> expected = testsupport::pixelPattern(filled);
  const int w = picture.width();
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < w; ++x) {
      const size_t i = static_cast<size_t>(y) * w + x;
      const uint8_t want = i < filled ? expected[i] : 0;
      ASSERT_EQ(picture.scanLine(y)[x], want) << "x " << x << " y " << y;
    }
}

}  // namespace

TEST(PictureDatabase, FullSmallPictureLandsUpright) {
  TempDir dir;
  const std::vector<uint8_t> file = databaseOfSize(22488);
  const std::string path = dir.write("QuilloryPicA.pdb", file);

  PictureDatabase db(path);
  EXPECT_EQ(db.name(), "QuilloryPicTest");
  EXPECT_TRUE(db.hasPictureName());
  EXPECT_EQ(db.recordCount(), 1);
  EXPECT_EQ(db.pixelOffset(), 88);
  EXPECT_EQ(db.pixelByteCount(), 22400);
  EXPECT_EQ(db.pictureSize(), PictureSize::Small);

  base::Bitmap picture;
  db.decodeInto(picture);
  db.close();
  // Before the flip the first pixel byte sits bottom left.
  EXPECT_EQ(picture.scanLine(139)[0], file[88]);
  FlipBitmapVertical(picture);
  EXPECT_EQ(picture.width(), 160);
  EXPECT_EQ(picture.height(), 140);
  EXPECT_EQ(picture.scanLine(0)[0], file[88]);
  EXPECT_EQ(picture.scanLine(139)[159], file.back());
  EXPECT_EQ(picture.palette(), blankPicture(PictureSize::Small).palette());
  EXPECT_EQ(picture.xPelsPerMeter, 2834);

  // Decoding again gives the same pixels: the flip is exact.
  EXPECT_EQ(decodePicture(path), picture);
  EXPECT_EQ(decodePicture(file.data(), file.size()), picture);
}

TEST(PictureDatabase, SizeFollowsTheFileSizeNotThePixelCount) {
  TempDir dir;
  EXPECT_EQ(decodePicture(dir.write("a.pdb", databaseOfSize(22500))).width(), 160);
  EXPECT_EQ(decodePicture(dir.write("b.pdb", databaseOfSize(22501))).width(), 320);
  EXPECT_EQ(decodePicture(dir.write("c.pdb", databaseOfSize(89688))).height(), 280);
}

TEST(PictureDatabase, ShortDataLeavesExactWhiteRowsAndSurplusIsIgnored) {
  TempDir dir;
  // 19912 pixel bytes: rows 0 to 123 and 72 pixels of row 124.
  const base::Bitmap small = decodePicture(dir.write("s.pdb", databaseOfSize(20000)));
  EXPECT_EQ(small.width(), 160);
  expectFilledThenWhite(small, 19912);
  EXPECT_NE(small.scanLine(124)[71], 0);
  EXPECT_EQ(small.scanLine(124)[72], 0);

  // 49912 pixel bytes in a file over the limit: rows 0 to 154 and 312 pixels of row 155.
  const base::Bitmap large = decodePicture(dir.write("l.pdb", databaseOfSize(50000)));
  EXPECT_EQ(large.width(), 320);
  expectFilledThenWhite(large, 49912);
  EXPECT_NE(large.scanLine(155)[311], 0);
  EXPECT_EQ(large.scanLine(155)[312], 0);

  const base::Bitmap longer = decodePicture(dir.write("x.pdb", databaseOfSize(22488 + 5)));
  expectFilledThenWhite(longer, 22400);

  // Nothing after the pixel offset: the template's white picture.
  const base::Bitmap empty = decodePicture(dir.write("e.pdb", databaseOfSize(88)));
  EXPECT_EQ(empty, blankPicture(PictureSize::Small));
}

TEST(PictureDatabase, RecordCountIsBigEndianAndMovesThePixelOffset) {
  TempDir dir;
  std::vector<uint8_t> file = databaseOfSize(22488);
  file[76] = 0x01;
  file[77] = 0x00;
  PictureDatabase db(dir.write("n.pdb", file));
  EXPECT_EQ(db.recordCount(), 256);
  EXPECT_EQ(db.pixelOffset(), 2128);
  base::Bitmap picture;
  db.decodeInto(picture);
  FlipBitmapVertical(picture);
  EXPECT_EQ(picture.scanLine(0)[0], file[2128]);
  EXPECT_EQ(picture.scanLine(0)[1], file[2129]);
}

TEST(PictureDatabase, NameCheck) {
  auto check = [](std::vector<uint8_t> nameField, size_t fileSize = 22488) {
    std::vector<uint8_t> file = databaseOfSize(std::max<size_t>(fileSize, 88));
    std::fill(file.begin(), file.begin() + 32, 0);
    std::copy(nameField.begin(), nameField.end(), file.begin());
    file.resize(fileSize);
    return PictureDatabase(std::make_unique<base::MemoryStream>(std::move(file)));
  };
  auto bytes = [](const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); };

  EXPECT_TRUE(check(bytes("QuilloryPic")).hasPictureName());
  EXPECT_FALSE(check(bytes("quilloryPic")).hasPictureName());
  EXPECT_FALSE(check(bytes("QuilloryPi")).hasPictureName());
  EXPECT_FALSE(check(bytes("XQuilloryPic")).hasPictureName());

  // No zero byte in the field: all 32 bytes are the name.
  const std::string full = "QuilloryPic" + std::string(21, 'z');
  EXPECT_EQ(check(bytes(full)).name(), full);
  EXPECT_EQ(check(bytes("QuilloryPicCat\0junk")).name(), "QuilloryPicCat");

  // A file shorter than the prefix fails; its name is what was read.
  auto shortDb = check(bytes("QuilloryPic"), 10);
  EXPECT_FALSE(shortDb.hasPictureName());
  EXPECT_EQ(shortDb.name(), "QuilloryPi");

  EXPECT_EQ(messageOf([&] { decodePicture(std::vector<uint8_t>(40, 'Q').data(), 40); }), "Invalid database file!");
}

TEST(PictureDatabase, FilesThatEndBeforeThePixelsRaiseStreamErrors) {
  auto open = [](size_t size) {
    std::vector<uint8_t> file = databaseOfSize(22488);
    file.resize(size);
    return std::make_unique<PictureDatabase>(std::make_unique<base::MemoryStream>(std::move(file)));
  };
  // Too short to hold the record count.
  EXPECT_EQ(messageOf([&] { open(77)->recordCount(); }), "Stream read error");
  EXPECT_EQ(open(78)->recordCount(), 1);

  base::Bitmap target(4, 4, base::PixelFormat::Indexed8);
  const base::Bitmap before = target;
  EXPECT_EQ(messageOf([&] { open(87)->decodeInto(target); }), "Stream write error");  // one byte short of 88
  EXPECT_EQ(messageOf([&] { open(86)->decodeInto(target); }), "Stream read error");
  EXPECT_EQ(messageOf([&] { open(78)->decodeInto(target); }), "Stream read error");
  EXPECT_EQ(messageOf([&] { open(87)->pixelByteCount(); }), "Stream write error");
  EXPECT_EQ(target, before);

  // The same with many records: 256 records put the pixels at 2128.
  std::vector<uint8_t> file = databaseOfSize(22488);
  file[76] = 1;
  file[77] = 0;
  file.resize(2127);
  PictureDatabase many(std::make_unique<base::MemoryStream>(file));
  EXPECT_EQ(messageOf([&] { many.decodeInto(target); }), "Stream write error");
}

TEST(PictureDatabase, OpensExclusively) {
  TempDir dir;
  const std::string path = dir.write("QuilloryPicLock.pdb", databaseOfSize(22488));
  {
    PictureDatabase first(path);
    const std::string message = messageOf([&] { PictureDatabase second(path); });
    EXPECT_EQ(message.rfind("Cannot open file \"" + path + "\". ", 0), 0u) << message;
    first.close();
    PictureDatabase third(path);  // free again once closed
    EXPECT_TRUE(third.hasPictureName());
  }
  const std::string missing = dir.path("none.pdb");
  EXPECT_EQ(messageOf([&] { PictureDatabase db(missing); }).rfind("Cannot open file \"" + missing + "\". ", 0), 0u);
}

TEST(PictureDatabase, FlipKeepsIndicesPaletteAndHeader) {
  base::Bitmap b = blankPicture(PictureSize::Small);
  for (int y = 0; y < b.height(); ++y) b.scanLine(y)[y] = static_cast<uint8_t>(y + 1);
  const base::Bitmap original = b;
  FlipBitmapVertical(b);
  EXPECT_EQ(b.scanLine(139)[0], 1);
  EXPECT_EQ(b.scanLine(0)[139], 140);
  EXPECT_EQ(b.palette(), original.palette());
  EXPECT_EQ(b.headerBytes(), original.headerBytes());
  FlipBitmapVertical(b);
  EXPECT_EQ(b, original);
}
