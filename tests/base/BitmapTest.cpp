#include <gtest/gtest.h>

#include <cstring>

#include "base/Bitmap.h"
#include "base/Errors.h"
#include "support/ErrorText.h"

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

namespace {

// One way of storing a picture as a BMP file image.
struct BmpKind {
  int bits;
  bool topDown;
  uint32_t infoSize;
  uint32_t compression = 0;
};

void put(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// A test picture: palette index (paletted kinds) or colour 0x00BBGGRR (true colour) of each pixel.
constexpr int kW = 13, kH = 5;
std::vector<uint32_t> testPalette(int bits) {
  std::vector<uint32_t> colors(bits == 4 ? 12 : size_t{1} << bits);  // the 4-bit table is shorter than 16
  for (size_t i = 0; i < colors.size(); ++i)
    colors[i] = static_cast<uint32_t>((i * 7) & 0xFF) | static_cast<uint32_t>(255 - (i & 0xFF)) << 8 |
                static_cast<uint32_t>((i * 3) & 0xFF) << 16;
  return colors;
}
uint32_t testValue(int bits, int x, int y) {
  if (bits <= 8) return static_cast<uint32_t>(x * 3 + y * 5) % static_cast<uint32_t>(testPalette(bits).size());
  return static_cast<uint32_t>(x * 19) | static_cast<uint32_t>(y * 37) << 8 | static_cast<uint32_t>((x + y) * 11) << 16;
}
uint32_t testColor(int bits, int x, int y) {
  return bits <= 8 ? testPalette(bits)[testValue(bits, x, y)] : testValue(bits, x, y);
}

// The BMP file image of the test picture, packed from the pixel values.
std::vector<uint8_t> buildBmp(const BmpKind& kind) {
  const std::vector<uint32_t> palette = kind.bits <= 8 ? testPalette(kind.bits) : std::vector<uint32_t>{};
  const size_t rowBytes = (static_cast<size_t>(kW) * static_cast<size_t>(kind.bits) + 31) / 32 * 4;
  std::vector<uint8_t> rows;
  for (int r = 0; r < kH; ++r) {
    const int y = kind.topDown ? r : kH - 1 - r;
    std::vector<uint8_t> row(rowBytes, 0);
    for (int x = 0; x < kW; ++x) {
      const uint32_t v = testValue(kind.bits, x, y);
      const auto bitOffset = static_cast<size_t>(x) * static_cast<size_t>(kind.bits);
      if (kind.bits < 8) {
        row[bitOffset / 8] |= static_cast<uint8_t>(v << (8 - kind.bits - bitOffset % 8));
      } else if (kind.bits == 8) {
        row[static_cast<size_t>(x)] = static_cast<uint8_t>(v);
      } else {
        uint8_t* p = &row[bitOffset / 8];
        p[0] = static_cast<uint8_t>(v >> 16), p[1] = static_cast<uint8_t>(v >> 8), p[2] = static_cast<uint8_t>(v);
        if (kind.bits == 32) p[3] = 0xFF;
      }
    }
    rows.insert(rows.end(), row.begin(), row.end());
  }
  const uint32_t pixelOffset = 14 + kind.infoSize + static_cast<uint32_t>(palette.size()) * 4;
  std::vector<uint8_t> out{'B', 'M'};
  put(out, pixelOffset + static_cast<uint32_t>(rows.size()), 4);
  put(out, 0, 4);
  put(out, pixelOffset, 4);
  put(out, kind.infoSize, 4);
  put(out, kW, 4);
  put(out, static_cast<uint32_t>(kind.topDown ? -kH : kH), 4);
  put(out, 1, 2);
  put(out, static_cast<uint32_t>(kind.bits), 2);
  put(out, kind.compression, 4);
  put(out, static_cast<uint32_t>(rows.size()), 4);
  put(out, 2835, 4);
  put(out, 2835, 4);
  const bool fullTable = kind.bits <= 8 && palette.size() == (size_t{1} << kind.bits);
  put(out, fullTable ? 0 : static_cast<uint32_t>(palette.size()), 4);
  put(out, 0, 4);
  for (uint32_t i = 40; i < kind.infoSize; i += 4) put(out, i == 56 ? 0x73524742 : 0, 4);  // colour space "sRGB"
  for (uint32_t c : palette) put(out, (c >> 16 & 0xFF) | (c & 0xFF00) | (c & 0xFF) << 16, 4);
  out.insert(out.end(), rows.begin(), rows.end());
  return out;
}

void expectTestPicture(const Bitmap& b, int bits, const std::string& what) {
  ASSERT_EQ(b.width(), kW) << what;
  ASSERT_EQ(b.height(), kH) << what;
  EXPECT_EQ(b.bitsPerPixel(), bits) << what;
  for (int y = 0; y < kH; ++y) {
    for (int x = 0; x < kW; ++x) ASSERT_EQ(b.pixelColor(x, y), testColor(bits, x, y)) << what << " at " << x << "," << y;
  }
}

}  // namespace

TEST(Bitmap, ReadsAndWritesEveryUncompressedKind) {
  for (int bits : {1, 4, 8, 24, 32}) {
    for (bool topDown : {false, true}) {
      for (uint32_t infoSize : {40u, 108u, 124u}) {
        const BmpKind kind{bits, topDown, infoSize};
        const std::string what = std::to_string(bits) + " bits, " + (topDown ? "top-down" : "bottom-up") +
                                 ", header " + std::to_string(infoSize);
        std::vector<uint8_t> bytes = buildBmp(kind);
        const size_t imageSize = bytes.size();
        bytes.push_back(0xEE);
        MemoryStream in(bytes);
        Bitmap b;
        b.loadFromStream(in);
        EXPECT_EQ(in.position(), static_cast<int64_t>(imageSize)) << what;
        expectTestPicture(b, bits, what);

        // Written back with the short header, bottom-up: the same picture, and the
        // very same bytes when it came that way.
        const std::vector<uint8_t> written = b.toBmp();
        if (!topDown && infoSize == 40) {
          EXPECT_EQ(written, buildBmp(kind)) << what;
        }
        MemoryStream again(written);
        Bitmap copy;
        copy.loadFromStream(again);
        expectTestPicture(copy, bits, what + ", written");

        // Ending inside the information header, or inside the colour table, is a read error.
        std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + 14 + infoSize - 2);
        MemoryStream shortHeader(cut);
        EXPECT_EQ(messageOf([&] { Bitmap().loadFromStream(shortHeader); }), "Stream read error") << what;
        if (bits <= 8) {
          cut.assign(bytes.begin(), bytes.begin() + 14 + infoSize + 6);
          MemoryStream shortTable(cut);
          EXPECT_EQ(messageOf([&] { Bitmap().loadFromStream(shortTable); }), "Stream read error") << what;
        }
      }
    }
  }
}

TEST(Bitmap, RefusesCompressedAndOtherDepths) {
  const BmpKind refused[] = {{8, false, 40, 1}, {4, false, 40, 2}, {32, false, 108, 3}, {2, false, 40}, {16, false, 40}};
  for (const BmpKind& kind : refused) {
    MemoryStream in(buildBmp(kind));
    EXPECT_EQ(messageOf([&] { Bitmap().loadFromStream(in); }), "Bitmap image is not valid")
        << kind.bits << " bits, compression " << kind.compression;
  }
}
