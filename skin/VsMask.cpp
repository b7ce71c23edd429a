#include "skin/VsMask.h"

#include <QCursor>
#include <QGuiApplication>
#include <QRect>

namespace skin {

void WaitCursor::Begin() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }

void WaitCursor::End() noexcept { QGuiApplication::restoreOverrideCursor(); }

void BuildMaskRegion(int32_t X, int32_t Y, const base::Bitmap& bitmap, uint32_t maskColor, TRgnData& rgnData) {
  WaitCursor cursor;
  BuildMaskRegion(X, Y, bitmap, maskColor, rgnData, &cursor);
}

QRegion CreateRegion(const TRgnData& rgnData) {
  // Rectangles in banded order each go on the end of the region, which QRegion
  // does without a full union; any other order still gives the union.
  QRegion region;
  const int32_t count = rgnData.RectCount();
  for (int32_t i = 0; i < count; ++i) {
    const RgnRect r = rgnData.Rect(i);
    region += QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1));
  }
  return region;
}

}  // namespace skin
