#include "album/PictureTemplate.h"

#include <cstring>

#include "album/Palette.h"

namespace album {

static_assert(sizeof(base::RGBQuad) == 4, "palette entries are stored as 4 bytes");

namespace {

void putU16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}

void putU32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

std::vector<uint8_t> buildTemplate(PictureSize size) {
  std::vector<uint8_t> file(templateFileSize(size), 0);  // reserved fields and pixels are 0
  uint8_t* p = file.data();
  p[0] = 'B';
  p[1] = 'M';
  putU32(p + 2, static_cast<uint32_t>(file.size()));
  putU32(p + 10, static_cast<uint32_t>(kTemplateHeaderSize));
  putU32(p + 14, 40);
  putU32(p + 18, static_cast<uint32_t>(pictureWidth(size)));
  putU32(p + 22, static_cast<uint32_t>(pictureHeight(size)));
  putU16(p + 26, 1);
  putU16(p + 28, 8);
  putU32(p + 34, static_cast<uint32_t>(picturePixelCount(size)));
  putU32(p + 38, kTemplatePelsPerMeter);
  putU32(p + 42, kTemplatePelsPerMeter);
  putU32(p + 46, 256);
  std::memcpy(p + 54, picturePalette().data(), 256 * sizeof(base::RGBQuad));
  return file;
}

base::Bitmap loadTemplate(PictureSize size) {
  const std::vector<uint8_t>& file = pictureTemplate(size);
  base::ConstMemoryStream stream(file.data(), file.size());
  base::Bitmap bitmap;
  bitmap.loadFromStream(stream);
  return bitmap;
}

}  // namespace

const std::vector<uint8_t>& pictureTemplate(PictureSize size) {
  static const std::vector<uint8_t> small = buildTemplate(PictureSize::Small);
  static const std::vector<uint8_t> large = buildTemplate(PictureSize::Large);
  return size == PictureSize::Large ? large : small;
}

const base::Bitmap& blankPicture(PictureSize size) {
  static const base::Bitmap small = loadTemplate(PictureSize::Small);
  static const base::Bitmap large = loadTemplate(PictureSize::Large);
  return size == PictureSize::Large ? large : small;
}

}  // namespace album
