#include <gtest/gtest.h>

#include <QCursor>
#include <QGuiApplication>
#include <climits>
#include <optional>

#include "RegionPictures.h"
#include "base/Errors.h"
#include "forms/WaitCursor.h"
#include "skin/MaskRegion.h"
#include "skin/VsMask.h"

using namespace region_test;
using skin::RegionData;

namespace {

class VsMask : public ::testing::Test {
 protected:
  static QRegion pixelUnion(const Picture& p) {
    QRegion region;
    for (int y = 0; y < p.bitmap.height(); ++y)
      for (int x = 0; x < p.bitmap.width(); ++x)
        if (p.bitmap.pixelColor(x, y) != p.mask) region += QRect(p.x + x, p.y + y, 1, 1);
    return region;
  }

  static std::optional<Qt::CursorShape> overrideShape() {
    const QCursor* c = QGuiApplication::overrideCursor();
    return c == nullptr ? std::nullopt : std::optional(c->shape());
  }
};

}  // namespace

TEST_F(VsMask, RegionCoversExactlyTheNonMaskPixels) {
  for (const Picture& p : comparisonPictures()) {
    SCOPED_TRACE(p.name);
    RegionData data;
    skin::BuildMaskRegion(p.x, p.y, p.bitmap, p.mask, data);
    const QRegion ours = skin::CreateRegion(data);
    const QRegion expected = pixelUnion(p);
    EXPECT_TRUE(ours.xored(expected).isEmpty());
    EXPECT_EQ(ours.boundingRect(), expected.boundingRect());
    EXPECT_EQ(static_cast<size_t>(ours.rectCount()), data.Rects().size());
  }
}

TEST_F(VsMask, RegionFromUnsortedOrOverlappingRectanglesIsTheirUnion) {
  RegionData data;
  EXPECT_TRUE(skin::CreateRegion(data).isEmpty());
  data.Assign(skin::EncodeRegionData({{5, 5, 9, 9}, {0, 0, 6, 6}, {2, 2, 3, 3}}));
  const QRegion expected = QRegion(5, 5, 4, 4) + QRegion(0, 0, 6, 6);
  EXPECT_TRUE(skin::CreateRegion(data).xored(expected).isEmpty());
}

TEST_F(VsMask, WaitCursorAroundAFailingScanGivesBackTheCursorItFound) {
  const Picture p = flatWithHoles(20, 20);
  RegionData data;
  skin::BuildMaskRegion(0, 0, p.bitmap, p.mask, data);
  const std::vector<skin::RgnRect> before = data.Rects();

  QGuiApplication::setOverrideCursor(QCursor(Qt::CrossCursor));
  try {
    const forms::WaitCursor hourglass;
    EXPECT_EQ(overrideShape(), Qt::WaitCursor);
    skin::BuildMaskRegion(INT32_MAX - 5, 0, p.bitmap, p.mask, data);
    ADD_FAILURE() << "no overflow";
  } catch (const base::EIntOverflow&) {
  }
  EXPECT_EQ(overrideShape(), Qt::CrossCursor);
  EXPECT_EQ(data.Rects(), before);
  QGuiApplication::restoreOverrideCursor();
  EXPECT_EQ(overrideShape(), std::nullopt);
}
