// Encoding an 8-bit palettised bitmap as a PNG image with the same palette and indices.
#pragma once

#include <cstdint>
#include <vector>

#include "base/Bitmap.h"

namespace album {

// The whole PNG file for `picture`, which must be 8 bits per pixel.
std::vector<uint8_t> encodePng(const base::Bitmap& picture);

}  // namespace album
