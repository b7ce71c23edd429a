#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "RegionPictures.h"
#include "base/Errors.h"
#include "forms/core/Colors.h"
#include "skin/MaskRegion.h"

using namespace region_test;
using skin::RgnRect;
using skin::RegionData;

namespace {

// A 24-bit picture from rows of '.' (mask colour, white) and '#' (black).
base::Bitmap drawn(const std::vector<std::string>& rows) {
  base::Bitmap bm(static_cast<int>(rows.front().size()), static_cast<int>(rows.size()), base::PixelFormat::Rgb24);
  for (size_t y = 0; y < rows.size(); ++y)
    for (size_t x = 0; x < rows[y].size(); ++x)
      setRgb(bm, static_cast<int>(x), static_cast<int>(y), rows[y][x] == '.' ? 0x00FFFFFF : 0);
  return bm;
}

std::vector<RgnRect> regionOf(const base::Bitmap& bm, uint32_t mask = 0x00FFFFFF, int32_t x = 0, int32_t y = 0) {
  RegionData data;
  skin::BuildMaskRegion(x, y, bm, mask, data);
  return data.Rects();
}

uint32_t u32At(const RegionData& d, int offset) {
  uint32_t v;
  std::memcpy(&v, d.Data() + offset, 4);
  return v;
}

}  // namespace

TEST(RgnData, SetSizeKeepsLeadingBytesReleasesAtZeroAndIgnoresTheCurrentSize) {
  RegionData d;
  EXPECT_EQ(d.Size(), 0);
  EXPECT_EQ(d.Data(), nullptr);
  d.SetSize(4);
  std::memcpy(d.Data(), "abcd", 4);
  const uint8_t* before = d.Data();
  d.SetSize(4);
  EXPECT_EQ(d.Data(), before);
  d.SetSize(6);
  EXPECT_EQ(std::memcmp(d.Data(), "abcd\0\0", 6), 0);
  d.SetSize(2);
  EXPECT_EQ(std::memcmp(d.Data(), "ab", 2), 0);
  EXPECT_THROW(d.SetSize(-1), base::Exception);
  EXPECT_EQ(d.Size(), 2);
  d.SetSize(0);
  EXPECT_EQ(d.Size(), 0);
  EXPECT_EQ(d.Data(), nullptr);
  EXPECT_TRUE(d.Rects().empty());
}

TEST(RgnData, RectsOfMalformedDataAreNone) {
  RegionData d;
  d.Assign(skin::EncodeRegionData({{1, 2, 3, 4}, {5, 2, 6, 4}}));
  EXPECT_EQ(d.Rects(), (std::vector<RgnRect>{{1, 2, 3, 4}, {5, 2, 6, 4}}));
  EXPECT_EQ(d.Bounds(), (RgnRect{1, 2, 6, 4}));
  d.SetSize(d.Size() - 1);  // the count now claims more than is held
  EXPECT_TRUE(d.Rects().empty());
  d.SetSize(10);
  EXPECT_TRUE(d.Rects().empty());
}

TEST(MaskRegion, WritesHeaderAndRunsOfARowShifted) {
  RegionData d;
  skin::BuildMaskRegion(10, 20, drawn({"..##.#"}), 0x00FFFFFF, d);
  ASSERT_EQ(d.Size(), 32 + 2 * 16);
  EXPECT_EQ(u32At(d, 0), 32u);
  EXPECT_EQ(u32At(d, 4), 1u);
  EXPECT_EQ(u32At(d, 8), 2u);
  EXPECT_EQ(u32At(d, 12), 32u);
  EXPECT_EQ(d.Bounds(), (RgnRect{12, 20, 16, 21}));
  EXPECT_EQ(d.Rects(), (std::vector<RgnRect>{{12, 20, 14, 21}, {15, 20, 16, 21}}));

  EXPECT_EQ(regionOf(drawn({"#."}), 0x00FFFFFF, 10, 20), (std::vector<RgnRect>{{10, 20, 11, 21}}));
}

TEST(MaskRegion, MergesIdenticalRowsIntoBandsButNotAcrossGapsOrChanges) {
  EXPECT_EQ(regionOf(drawn({
                "#..##",
                "#..##",
                ".....",
                "#..##",
                "#..#.",
                "....#",
            })),
            (std::vector<RgnRect>{{0, 0, 1, 2}, {3, 0, 5, 2}, {0, 3, 1, 4}, {3, 3, 5, 4}, {0, 4, 1, 5}, {3, 4, 4, 5},
                                  {4, 5, 5, 6}}));
  // Last column after a masked pixel, and a one-pixel-wide picture.
  EXPECT_EQ(regionOf(drawn({".#"})), (std::vector<RgnRect>{{1, 0, 2, 1}}));
  EXPECT_EQ(regionOf(drawn({".", "#", "#", "."})), (std::vector<RgnRect>{{0, 1, 1, 3}}));
}

TEST(MaskRegion, NothingMaskedGivesThePictureRectangle) {
  const Picture p = noise8(7, 5, 3, 1);
  for (uint32_t mask : {forms::clNone, forms::clBtnFace, 0x00ABCDEFu}) {
    EXPECT_EQ(regionOf(p.bitmap, mask, -3, 4), (std::vector<RgnRect>{{-3, 4, 4, 9}}));
  }
  // A system colour never equals a pixel, even one whose low bytes match.
  base::Bitmap rgb(3, 2, base::PixelFormat::Rgb24);
  setRgb(rgb, 1, 1, 0x0F);
  EXPECT_EQ(regionOf(rgb, forms::clBtnFace), (std::vector<RgnRect>{{0, 0, 3, 2}}));
  EXPECT_EQ(regionOf(rgb, 0x0F), (std::vector<RgnRect>{{0, 0, 3, 1}, {0, 1, 1, 2}, {2, 1, 3, 2}}));
}

TEST(MaskRegion, EverythingMaskedOrEmptyLeavesTheDataAsItWas) {
  RegionData d;
  skin::BuildMaskRegion(0, 0, drawn({"...", "..."}), 0x00FFFFFF, d);
  EXPECT_EQ(d.Size(), 0);
  skin::BuildMaskRegion(0, 0, drawn({"#"}), 0x00FFFFFF, d);
  const std::vector<RgnRect> held = d.Rects();
  skin::BuildMaskRegion(0, 0, drawn({"...", "..."}), 0x00FFFFFF, d);
  skin::BuildMaskRegion(0, 0, base::Bitmap(), 0x00FFFFFF, d);
  skin::BuildMaskRegion(0, 0, base::Bitmap(0, 5, base::PixelFormat::Indexed8), 0, d);
  EXPECT_EQ(d.Rects(), held);
}

TEST(MaskRegion, PaletteIndicesPastThePaletteReadAsBlack) {
  base::Bitmap bm = indexed(4, 1, 2);  // black and white
  bm.palette()[0] = base::RGBQuad{9, 9, 9, 0};
  bm.scanLine(0)[1] = 200;
  bm.scanLine(0)[3] = 255;
  EXPECT_EQ(regionOf(bm, 0), (std::vector<RgnRect>{{0, 0, 1, 1}, {2, 0, 3, 1}}));
}

TEST(MaskRegion, CoordinatesBeyondThirtyTwoBitsRaiseIntegerOverflowAndKeepTheData) {
  RegionData d;
  d.Assign(skin::EncodeRegionData({{1, 1, 2, 2}}));
  const base::Bitmap bm = drawn({"##.", "..#"});
  for (auto [x, y] : std::vector<std::pair<int32_t, int32_t>>{{INT32_MAX - 1, 0}, {0, INT32_MAX - 1}, {INT32_MIN, INT32_MAX}}) {
    try {
      skin::BuildMaskRegion(x, y, bm, 0x00FFFFFF, d);
      ADD_FAILURE() << "no overflow at " << x << ", " << y;
    } catch (const base::EIntOverflow& e) {
      EXPECT_STREQ(e.what(), "Integer overflow");
    }
  }
  EXPECT_EQ(d.Rects(), (std::vector<RgnRect>{{1, 1, 2, 2}}));

  // Right at the limit is fine, and so are masked pixels that would lie beyond it.
  EXPECT_EQ(regionOf(drawn({"##.."}), 0x00FFFFFF, INT32_MAX - 2, INT32_MAX - 1),
            (std::vector<RgnRect>{{INT32_MAX - 2, INT32_MAX - 1, INT32_MAX, INT32_MAX}}));
}
