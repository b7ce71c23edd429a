#include "album/Enlarge.h"

#include <algorithm>
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

}  // namespace album
