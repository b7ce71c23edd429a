// Test pictures: palette indexes for picture databases and 24-bit bitmaps,
// patterned so that neighbouring pixels, rows and seeds all differ.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/Bitmap.h"

namespace testsupport {

// `count` palette indexes read as rows of 160, each unlike its neighbours on
// the row and in the row above; never 0 (white, where a picture has no data).
inline std::vector<uint8_t> pixelPattern(size_t count, uint8_t seed = 0) {
  std::vector<uint8_t> pixels(count);
  for (size_t i = 0; i < count; ++i) pixels[i] = static_cast<uint8_t>(1 + (i * 7 + i / 160 + seed) % 215);
  return pixels;
}

// A 24-bit picture whose bytes run through all values, shifted by `seed`.
inline base::Bitmap patternedBitmap(int width, int height, uint8_t seed = 0) {
  base::Bitmap picture(width, height, base::PixelFormat::Rgb24);
  for (size_t i = 0; i < picture.bits().size(); ++i) picture.bits()[i] = static_cast<uint8_t>(i * 7 + seed);
  return picture;
}

// A 24-bit picture of one colour (0x00BBGGRR).
inline base::Bitmap plainBitmap(int width, int height, uint32_t colour) {
  base::Bitmap picture(width, height, base::PixelFormat::Rgb24);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      uint8_t* pixel = picture.scanLine(y) + static_cast<size_t>(x) * 3;
      pixel[0] = static_cast<uint8_t>(colour >> 16);
      pixel[1] = static_cast<uint8_t>(colour >> 8);
      pixel[2] = static_cast<uint8_t>(colour);
    }
  return picture;
}

// Whether two pictures show the same: size, palette and the pixels of every row
// (not the padding or the header's other fields).
inline bool samePixels(const base::Bitmap& a, const base::Bitmap& b) {
  if (a.width() != b.width() || a.height() != b.height() || a.format() != b.format() || a.palette() != b.palette())
    return false;
  const size_t rowBytes = (static_cast<size_t>(a.width()) * base::bitsPerPixel(a.format()) + 7) / 8;
  for (int y = 0; y < a.height(); ++y)
    if (!std::equal(a.scanLine(y), a.scanLine(y) + rowBytes, b.scanLine(y))) return false;
  return true;
}

}  // namespace testsupport
