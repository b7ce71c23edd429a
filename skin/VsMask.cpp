#include "skin/VsMask.h"

#include <QRect>

namespace skin {

QRegion CreateRegion(const RegionData& rgnData) {
  // Rectangles in banded order each go on the end of the region, which QRegion
  // does without a full union; any other order still gives the union.
  QRegion region;
  for (const RgnRect& r : rgnData.Rects()) region += QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1));
  return region;
}

}  // namespace skin
