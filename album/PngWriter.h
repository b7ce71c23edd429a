// Encoding an 8-bit palettised bitmap as a PNG image with the same palette and indices.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/Bitmap.h"

namespace album {

// What a PNG file records besides its pixels; what is missing is left out.
struct PngInfo {
  std::optional<int64_t> modified;  // the tIME chunk, seconds since 1970 UTC
  std::optional<int64_t> created;   // "Creation Time", the same
  std::string title;                // "Title", UTF-8
  std::string author;               // "Author", UTF-8
};

// The whole PNG file for `picture`, which must be 8 bits per pixel.
std::vector<uint8_t> encodePng(const base::Bitmap& picture, const PngInfo& info = {});

}  // namespace album
