#include <gtest/gtest.h>

#include <cstring>

#include "base/Bitmap.h"
#include "base/Errors.h"

using namespace base;

namespace {
Bitmap makeRgb(int w, int h) {
  Bitmap b(w, h, PixelFormat::Rgb24);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint8_t* p = b.scanLine(y) + x * 3;
      p[0] = static_cast<uint8_t>(x);
      p[1] = static_cast<uint8_t>(y);
      p[2] = static_cast<uint8_t>(x + y);
    }
  return b;
}
}  // namespace

TEST(Bitmap, RoundTripsBothFormatsAndConsumesExactlyOneImage) {
  Bitmap rgb = makeRgb(5, 3);  // 15 bytes a row, padded to 16
  EXPECT_EQ(rgb.stride(), 16u);
  EXPECT_EQ(rgb.pixelColor(4, 2), 0x00040206u);  // 0x00BBGGRR: blue 4, green 2, red 6

  Bitmap ind(4, 2, PixelFormat::Indexed8);
  ind.palette()[3] = RGBQuad{0x30, 0x20, 0x10, 0};
  ind.scanLine(0)[1] = 3;
  ind.xPelsPerMeter = ind.yPelsPerMeter = 2834;
  ind.colorsUsed = 256;

  MemoryStream s;
  rgb.saveToStream(s);
  ind.saveToStream(s);
  s.writeU8(0xEE);
  EXPECT_EQ(s.size(), static_cast<int64_t>(54 + 48 + 54 + 1024 + 8 + 1));

  s.setPosition(0);
  Bitmap a, b;
  a.loadFromStream(s);
  EXPECT_EQ(s.position(), 54 + 48);
  b.loadFromStream(s);
  EXPECT_EQ(a, rgb);
  EXPECT_EQ(b, ind);
  EXPECT_EQ(b.pixelColor(1, 0), 0x00302010u);
  EXPECT_EQ(s.readU8(), 0xEE);

  // Nothing left: an empty bitmap, no error.
  Bitmap c = rgb;
  MemoryStream none;
  c.loadFromStream(none);
  EXPECT_TRUE(c.empty());
}

TEST(Bitmap, RefusesBadHeadersAndReadsTruncatedRows) {
  std::vector<uint8_t> image = makeRgb(4, 4).toBmp();

  auto load = [](std::vector<uint8_t> bytes) {
    MemoryStream s(std::move(bytes));
    Bitmap b;
    b.loadFromStream(s);
    return b;
  };

  std::vector<uint8_t> notBm = image;
  notBm[0] = 'X';
  EXPECT_THROW(load(notBm), EInvalidGraphic);
  EXPECT_THROW(load(std::vector<uint8_t>(image.begin(), image.begin() + 20)), EReadError);

  // Rows that are missing stay 0; the rows present are kept.
  Bitmap partial = load(std::vector<uint8_t>(image.begin(), image.begin() + 54 + 12 + 5));
  EXPECT_EQ(partial.width(), 4);
  EXPECT_EQ(partial.pixelColor(0, 3), makeRgb(4, 4).pixelColor(0, 3));
  EXPECT_EQ(partial.pixelColor(0, 0), 0u);

  // A 100000 x 100000 claim in a small stream is refused before anything is allocated.
  std::vector<uint8_t> huge = image;
  huge[18] = 0xA0, huge[19] = 0x86, huge[20] = 0x01;  // width 100000
  huge[22] = 0xA0, huge[23] = 0x86, huge[24] = 0x01;  // height 100000
  EXPECT_THROW(load(huge), EInvalidGraphic);

  // Top-down images are stored bottom-up once read.
  std::vector<uint8_t> topDown = image;
  topDown[22] = 0xFC, topDown[23] = 0xFF, topDown[24] = 0xFF, topDown[25] = 0xFF;  // height -4
  Bitmap flipped = load(topDown);
  Bitmap expected = makeRgb(4, 4);
  expected.flipVertical();
  EXPECT_EQ(flipped.bits(), expected.bits());
}

TEST(Bitmap, ZeroWidthImagesReadAsEmptyAndFlipSafely) {
  std::vector<uint8_t> image = makeRgb(4, 4).toBmp();
  image[18] = 0;  // width 0
  image[22] = 0xFE, image[23] = 0xFF, image[24] = 0xFF, image[25] = 0xFF;  // height -2, top-down
  MemoryStream s(std::move(image));
  Bitmap b;
  b.loadFromStream(s);
  EXPECT_TRUE(b.empty());
  b.flipVertical();
  EXPECT_TRUE(b.toBmp().empty());
}
