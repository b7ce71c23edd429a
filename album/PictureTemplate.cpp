#include "album/PictureTemplate.h"

#include "album/Palette.h"

namespace album {

namespace {

// A blank picture of the size: all pixels index 0, the picture palette and
// the template's resolution, "colours used" stating the full table.
base::Bitmap makeBlankPicture(PictureSize size) {
  base::Bitmap bitmap(pictureWidth(size), pictureHeight(size), base::PixelFormat::Indexed8);
  bitmap.palette().assign(picturePalette().begin(), picturePalette().end());
  bitmap.xPelsPerMeter = kTemplatePelsPerMeter;
  bitmap.yPelsPerMeter = kTemplatePelsPerMeter;
  bitmap.colorsUsed = 256;
  return bitmap;
}

}  // namespace

const std::vector<uint8_t>& pictureTemplate(PictureSize size) {
  static const std::vector<uint8_t> small = blankPicture(PictureSize::Small).toBmp();
  static const std::vector<uint8_t> large = blankPicture(PictureSize::Large).toBmp();
  return size == PictureSize::Large ? large : small;
}

const base::Bitmap& blankPicture(PictureSize size) {
  static const base::Bitmap small = makeBlankPicture(PictureSize::Small);
  static const base::Bitmap large = makeBlankPicture(PictureSize::Large);
  return size == PictureSize::Large ? large : small;
}

}  // namespace album
