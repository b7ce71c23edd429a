#include <gtest/gtest.h>

#include <cstring>

#include "album/Palette.h"
#include "album/PictureTemplate.h"

using namespace album;

namespace {
uint32_t rgbOf(const base::RGBQuad& q) { return (uint32_t{q.red} << 16) | (uint32_t{q.green} << 8) | q.blue; }
uint32_t u32At(const std::vector<uint8_t>& f, size_t at) {
  return f[at] | (f[at + 1] << 8) | (f[at + 2] << 16) | (uint32_t{f[at + 3]} << 24);
}
uint16_t u16At(const std::vector<uint8_t>& f, size_t at) { return static_cast<uint16_t>(f[at] | (f[at + 1] << 8)); }
}  // namespace

TEST(Palette, MatchesTheTellingEntries) {
  const std::pair<int, uint32_t> telling[] = {
      {0, 0xFFFFFF},   {1, 0xFFCFFF},   {5, 0xFF00FF},   {6, 0xFFFFCF},   {17, 0xFF009A},  {18, 0xCFFFFF},
      {107, 0x00009A}, {108, 0xFFFF65}, {125, 0xFF0000}, {210, 0x00FF00}, {214, 0x003000}, {215, 0x101010},
      {224, 0xEFEFEF}, {225, 0xC3C3C3}, {229, 0x008282}, {230, 0x000000}, {255, 0x000000}};
  const Palette& p = picturePalette();
  for (const auto& [index, colour] : telling) EXPECT_EQ(rgbOf(p[index]), colour) << "index " << index;
  for (const base::RGBQuad& q : p) EXPECT_EQ(q.reserved, 0);

  // The cube uses only the six levels, and every level combination but black appears once.
  std::vector<uint32_t> cube;
  for (int i = 0; i < 215; ++i) cube.push_back(rgbOf(p[i]));
  std::sort(cube.begin(), cube.end());
  EXPECT_EQ(std::unique(cube.begin(), cube.end()), cube.end());
  EXPECT_EQ(cube.front(), 0x000030u);

  EXPECT_EQ(cubeIndex(0, 5, 5), 125);  // red
  EXPECT_EQ(cubeIndex(5, 0, 5), 210);  // green
  EXPECT_EQ(cubeIndex(5, 5, 5), 230);  // black lives outside the cube
  EXPECT_EQ(nearestPaletteIndex(0x10, 0x10, 0x12), 215);
}

TEST(PictureTemplate, BothTemplatesByteForByte) {
  for (PictureSize size : {PictureSize::Small, PictureSize::Large}) {
    const std::vector<uint8_t>& f = pictureTemplate(size);
    const uint32_t w = size == PictureSize::Large ? 320 : 160;
    const uint32_t h = size == PictureSize::Large ? 280 : 140;
    ASSERT_EQ(f.size(), 1078 + w * h);
    EXPECT_EQ(f[0], 'B');
    EXPECT_EQ(f[1], 'M');
    EXPECT_EQ(u32At(f, 2), 1078 + w * h);
    EXPECT_EQ(u32At(f, 6), 0u);
    EXPECT_EQ(u32At(f, 10), 1078u);
    EXPECT_EQ(u32At(f, 14), 40u);
    EXPECT_EQ(u32At(f, 18), w);
    EXPECT_EQ(u32At(f, 22), h);
    EXPECT_EQ(u16At(f, 26), 1);
    EXPECT_EQ(u16At(f, 28), 8);
    EXPECT_EQ(u32At(f, 30), 0u);
    EXPECT_EQ(u32At(f, 34), w * h);
    EXPECT_EQ(u32At(f, 38), 2834u);
    EXPECT_EQ(u32At(f, 42), 2834u);
    EXPECT_EQ(u32At(f, 46), 256u);
    EXPECT_EQ(u32At(f, 50), 0u);
    // Palette entry 125 (red) is stored blue, green, red, 0.
    EXPECT_EQ(u32At(f, 54 + 125 * 4), 0x00FF0000u);
    EXPECT_EQ(std::memcmp(f.data() + 54, picturePalette().data(), 1024), 0);
    EXPECT_TRUE(std::all_of(f.begin() + 1078, f.end(), [](uint8_t b) { return b == 0; }));

    const base::Bitmap& blank = blankPicture(size);
    EXPECT_EQ(blank.width(), static_cast<int>(w));
    EXPECT_EQ(blank.height(), static_cast<int>(h));
    EXPECT_EQ(blank.toBmp(), f);  // loading and saving a template gives the template back
  }
  // The two templates differ only in their size fields and pixel area.
  const auto& small = pictureTemplate(PictureSize::Small);
  const auto& large = pictureTemplate(PictureSize::Large);
  for (size_t i = 0; i < 1078; ++i) {
    const bool sizeField = (i >= 2 && i < 6) || (i >= 18 && i < 26) || (i >= 34 && i < 38);
    if (!sizeField) {
      EXPECT_EQ(small[i], large[i]) << "offset " << i;
    }
  }
}
