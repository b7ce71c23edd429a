#include "album/Enlarge.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <stdexcept>

namespace album {

base::Bitmap enlarge(const base::Bitmap& picture, int factor) {
  if (factor < 1 || factor > kMaxScale) throw std::invalid_argument("The scale must be 1 to 8");
  if (factor == 1 || picture.empty()) return picture;
  const size_t bytesPerPixel = static_cast<size_t>(picture.bitsPerPixel() / 8);
  base::Bitmap large(picture.width() * factor, picture.height() * factor, picture.format());
  large.takePaletteAndHeader(picture);
  const size_t rowBytes = static_cast<size_t>(large.width()) * bytesPerPixel;
  for (int y = 0; y < picture.height(); ++y) {
    const uint8_t* from = picture.scanLine(y);
    uint8_t* to = large.scanLine(y * factor);
    for (int x = 0; x < picture.width(); ++x)
      for (int k = 0; k < factor; ++k, to += bytesPerPixel) std::memcpy(to, from + x * bytesPerPixel, bytesPerPixel);
    for (int k = 1; k < factor; ++k) std::memcpy(large.scanLine(y * factor + k), large.scanLine(y * factor), rowBytes);
  }
  return large;
}

namespace {

// The index most of the block's non-white pixels have (the first to reach
// that count), or white.
uint8_t blockIndex(const base::Bitmap& picture, int left, int top, int divisor) {
  std::array<int, 256> counts{};
  uint8_t best = 0;
  int bestCount = 0;
  const int right = std::min(left + divisor, picture.width());
  const int bottom = std::min(top + divisor, picture.height());
  for (int y = top; y < bottom; ++y) {
    const uint8_t* row = picture.scanLine(y);
    for (int x = left; x < right; ++x) {
      if (row[x] != 0 && ++counts[row[x]] > bestCount) {
        bestCount = counts[row[x]];
        best = row[x];
      }
    }
  }
  return best;
}

}  // namespace

base::Bitmap reduce(const base::Bitmap& picture, int divisor) {
  if (divisor < 1) throw std::invalid_argument("The divisor must be 1 or more");
  if (picture.format() != base::PixelFormat::Indexed8) throw std::invalid_argument("Only 8-bit pictures are reduced");
  if (divisor == 1 || picture.empty()) return picture;
  base::Bitmap small((picture.width() + divisor - 1) / divisor, (picture.height() + divisor - 1) / divisor,
                     base::PixelFormat::Indexed8);
  small.palette() = picture.palette();
  for (int y = 0; y < small.height(); ++y) {
    uint8_t* row = small.scanLine(y);
    for (int x = 0; x < small.width(); ++x) row[x] = blockIndex(picture, x * divisor, y * divisor, divisor);
  }
  return small;
}

base::Bitmap fitWithin(const base::Bitmap& picture, int size) {
  if (size < 1) throw std::invalid_argument("The size must be 1 or more");
  const int longer = std::max(picture.width(), picture.height());
  if (longer <= size) return enlarge(picture, std::clamp(size / std::max(longer, 1), 1, kMaxScale));
  return reduce(picture, (longer + size - 1) / size);
}

}  // namespace album
