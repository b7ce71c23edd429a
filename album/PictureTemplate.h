// The two picture templates: complete 8-bit BMP files of 160 x 140 and
// 320 x 280 white pixels that lend a decoded picture its headers and palette.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/Bitmap.h"

namespace album {

enum class PictureSize { Small, Large };  // 160 x 140 and 320 x 280

constexpr int pictureWidth(PictureSize size) { return size == PictureSize::Large ? 320 : 160; }
constexpr int pictureHeight(PictureSize size) { return size == PictureSize::Large ? 280 : 140; }
constexpr size_t picturePixelCount(PictureSize size) {
  return static_cast<size_t>(pictureWidth(size)) * static_cast<size_t>(pictureHeight(size));
}

// Headers and palette come before the pixel area at this offset in every template.
inline constexpr size_t kTemplateHeaderSize = 1078;
inline constexpr int32_t kTemplatePelsPerMeter = 2834;

constexpr size_t templateFileSize(PictureSize size) { return kTemplateHeaderSize + picturePixelCount(size); }

// The template's whole BMP file, byte for byte.
const std::vector<uint8_t>& pictureTemplate(PictureSize size);

// The template loaded as a bitmap: all pixels index 0, rows bottom-up.
const base::Bitmap& blankPicture(PictureSize size);

}  // namespace album
