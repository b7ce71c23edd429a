// Fitting a picture into a thumbnail's square by whole pixels.
#include <gtest/gtest.h>

#include "album/Enlarge.h"
#include "album/PictureTemplate.h"

namespace {

base::Bitmap blank(album::PictureSize size) {
  base::Bitmap picture(album::pictureWidth(size), album::pictureHeight(size), base::PixelFormat::Indexed8);
  std::fill(picture.bits().begin(), picture.bits().end(), uint8_t{0});
  return picture;
}

// The result fits, and is the largest that whole pixels make: one step larger
// (a factor more, a divisor less) would not fit, unless the factor is the most allowed.
TEST(FitWithin, GivesTheLargestWholePixelPictureThatFits) {
  for (const album::PictureSize kind : {album::PictureSize::Small, album::PictureSize::Large}) {
    const base::Bitmap picture = blank(kind);
    const int w = picture.width(), h = picture.height();
    std::vector<int> sizes = {1023, 1024, 1025, 1280, 2559, 2560, 2561, 5000};
    for (int size = 1; size <= 700; ++size) sizes.push_back(size);
    for (const int size : sizes) {
      SCOPED_TRACE(std::to_string(w) + " in " + std::to_string(size));
      const base::Bitmap fitted = album::fitWithin(picture, size);
      ASSERT_LE(fitted.width(), size);
      ASSERT_LE(fitted.height(), size);
      if (fitted.width() >= w) {
        const int factor = fitted.width() / w;
        ASSERT_EQ(fitted.width(), factor * w);
        ASSERT_EQ(fitted.height(), factor * h);
        ASSERT_TRUE(factor == album::kMaxScale || (factor + 1) * w > size);
      } else {
        const int divisor = (w + fitted.width() - 1) / fitted.width();
        ASSERT_EQ(fitted.width(), (w + divisor - 1) / divisor);
        ASSERT_EQ(fitted.height(), (h + divisor - 1) / divisor);
        ASSERT_GT((w + divisor - 2) / (divisor - 1), size);
      }
    }
  }
}

TEST(FitWithin, AReducedPictureKeepsThinStrokesAndTheMostCommonColour) {
  base::Bitmap picture = blank(album::PictureSize::Small);
  const uint8_t black = 230, red = 125, blue = 5;
  for (int y = 0; y < picture.height(); ++y) picture.scanLine(y)[7] = black;  // a stroke one pixel wide
  picture.scanLine(20)[20] = red;                                            // a block of two reds, one blue
  picture.scanLine(20)[21] = blue;
  picture.scanLine(21)[20] = red;
  picture.scanLine(20)[40] = blue;  // one pixel alone in a white block
  picture.palette()[red] = {0, 0, 0xFF, 0};

  const base::Bitmap small = album::reduce(picture, 2);
  ASSERT_EQ(small.width(), 80);
  EXPECT_EQ(small.palette(), picture.palette());
  for (int y = 0; y < small.height(); ++y) ASSERT_EQ(small.scanLine(y)[3], black) << y;
  EXPECT_EQ(small.scanLine(10)[10], red);
  EXPECT_EQ(small.scanLine(10)[20], blue);
  EXPECT_EQ(small.scanLine(30)[30], 0);

  // Enlarged, every pixel becomes a square of its own index.
  const base::Bitmap large = album::fitWithin(picture, 2 * picture.width());
  ASSERT_EQ(large.width(), 2 * picture.width());
  EXPECT_EQ(large.scanLine(41)[41], red);
  EXPECT_EQ(large.scanLine(40)[42], blue);
}

}  // namespace
