// Compares the one-pass region builder with regions built the slow way: one
// rectangle per run, united one at a time. On Windows the union is the GDI's own
// (CreateRectRgn, CombineRgn, GetRegionData); everywhere the slow reference here.
#include <gtest/gtest.h>

#include <cstring>

#include "RegionPictures.h"
#include "skin/MaskRegion.h"
#ifdef _WIN32
#include "skin/RegionData_win32.h"
#endif

using namespace region_test;
using skin::RgnRect;
using skin::RegionData;

namespace {

std::vector<uint8_t> bytesOf(const RegionData& data) {
  return data.Size() == 0 ? std::vector<uint8_t>{} : std::vector<uint8_t>(data.Data(), data.Data() + data.Size());
}

std::vector<uint8_t> built(const Picture& p) {
  RegionData data;
  skin::BuildMaskRegion(p.x, p.y, p.bitmap, p.mask, data);
  return bytesOf(data);
}

std::vector<uint8_t> reference(const Picture& p) {
  const std::vector<RgnRect> rects = runRectangles(p);
  if (rects.empty()) return {};
  return skin::EncodeRegionData(normalise(rects));
}

}  // namespace

TEST(MaskRegionReference, MatchesUnionOfRunsOnEveryPicture) {
  for (const Picture& p : comparisonPictures()) {
    SCOPED_TRACE(p.name);
    const std::vector<uint8_t> ours = built(p);
    EXPECT_EQ(ours, reference(p));
    if (ours.empty()) continue;
    RegionData data;
    data.Assign(ours);
    EXPECT_TRUE(isBanded(data.Rects()));
  }
}

TEST(MaskRegionReference, MatchesOnEightAndTwentyFourBitCopiesOfTheSamePicture) {
  for (const Picture& p : {noise8(40, 30, 3, 21), photo8(64, 64, 22), flatWithHoles(33, 44)}) {
    SCOPED_TRACE(p.name);
    EXPECT_EQ(built(p), built(asRgb(p)));
  }
}

#ifdef _WIN32

namespace {

// The region the slow way through the GDI: a region per run, united one at a time.
std::vector<uint8_t> gdiUnion(const Picture& p) {
  HRGN accumulated = nullptr;
  for (const RgnRect& r : runRectangles(p)) {
    HRGN rect = CreateRectRgn(r.left, r.top, r.right, r.bottom);
    if (accumulated == nullptr) {
      accumulated = rect;
    } else if (rect != nullptr) {
      CombineRgn(accumulated, accumulated, rect, RGN_OR);
      DeleteObject(rect);
    }
  }
  if (accumulated == nullptr) return {};
  std::vector<uint8_t> bytes(GetRegionData(accumulated, 0, nullptr));
  GetRegionData(accumulated, static_cast<DWORD>(bytes.size()), reinterpret_cast<RGNDATA*>(bytes.data()));
  DeleteObject(accumulated);
  return bytes;
}

std::vector<uint8_t> regionData(HRGN region) {
  std::vector<uint8_t> bytes(GetRegionData(region, 0, nullptr));
  GetRegionData(region, static_cast<DWORD>(bytes.size()), reinterpret_cast<RGNDATA*>(bytes.data()));
  return bytes;
}

}  // namespace

TEST(MaskRegionGdi, MatchesGetRegionDataOfTheUnitedRuns) {
  int compared = 0;
  for (const Picture& p : comparisonPictures()) {
    SCOPED_TRACE(p.name);
    EXPECT_EQ(built(p), gdiUnion(p));
    ++compared;
  }
  EXPECT_GE(compared, 12);
}

TEST(MaskRegionGdi, RegionMadeFromTheDataGivesTheSameDataBack) {
  for (const Picture& p : comparisonPictures()) {
    SCOPED_TRACE(p.name);
    RegionData data;
    skin::BuildMaskRegion(p.x, p.y, p.bitmap, p.mask, data);
    if (data.Size() == 0) continue;
    HRGN region = skin::gdi::CreateRegion(data);
    ASSERT_NE(region, nullptr);
    EXPECT_EQ(regionData(region), bytesOf(data));
    DeleteObject(region);
  }
}

#endif
