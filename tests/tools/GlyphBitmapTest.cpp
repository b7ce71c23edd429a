// The Win32 window's glyphs (32-bit BMP) hold the very pixels of the Qt
// window's glyphs (PNG), alpha included, so the two never drift apart.
#include <gtest/gtest.h>

#include <QImage>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

uint32_t le(const std::vector<uint8_t>& b, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | b.at(at + static_cast<size_t>(i));
  return v;
}

// A bottom-up 32-bit BI_RGB BMP file as an image with straight alpha.
QImage readBgraBmp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  const std::vector<uint8_t> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (b.size() < 54 || b[0] != 'B' || b[1] != 'M' || le(b, 28, 2) != 32 || le(b, 30, 4) != 0) return {};
  const int width = static_cast<int>(le(b, 18, 4));
  const int height = static_cast<int>(le(b, 22, 4));
  const size_t pixels = le(b, 10, 4);
  if (width <= 0 || height <= 0 || b.size() < pixels + static_cast<size_t>(width * height * 4)) return {};
  QImage image(width, height, QImage::Format_ARGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const size_t at = pixels + static_cast<size_t>(((height - 1 - y) * width + x) * 4);
      image.setPixel(x, y, qRgba(b[at + 2], b[at + 1], b[at], b[at + 3]));
    }
  return image;
}

}  // namespace

TEST(GlyphBitmaps, EachBmpHoldsThePixelsAndAlphaOfItsPng) {
  for (int i = 0; i < 7; ++i) {
    const std::string name = std::string(QA_SOURCE_DIR) + "/resources/glyph" + std::to_string(i);
    const QImage png = QImage(QString::fromStdString(name + ".png")).convertToFormat(QImage::Format_ARGB32);
    const QImage bmp = readBgraBmp(name + ".bmp");
    ASSERT_FALSE(png.isNull()) << name;
    ASSERT_EQ(bmp.size(), png.size()) << name << ".bmp: not a 32-bit BMP of the PNG's size";
    bool partlyClear = false;
    for (int y = 0; y < png.height(); ++y)
      for (int x = 0; x < png.width(); ++x) {
        ASSERT_EQ(bmp.pixel(x, y), png.pixel(x, y)) << name << " at " << x << "," << y;
        partlyClear |= qAlpha(png.pixel(x, y)) < 255;
      }
    EXPECT_TRUE(partlyClear) << name << ": a glyph with no transparent pixel";
  }
}
