#include "skin/VsMask.h"

#include <QCursor>
#include <QGuiApplication>
#include <QRect>
#include <vector>

namespace skin {

void WaitCursor::Begin() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }

void WaitCursor::End() noexcept { QGuiApplication::restoreOverrideCursor(); }

void BuildMaskRegion(int32_t X, int32_t Y, const base::Bitmap& bitmap, uint32_t maskColor, TRgnData& rgnData) {
  WaitCursor cursor;
  BuildMaskRegion(X, Y, bitmap, maskColor, rgnData, &cursor);
}

QRegion CreateRegion(const TRgnData& rgnData) {
  const int32_t count = rgnData.RectCount();
  std::vector<QRect> rects;
  rects.reserve(static_cast<size_t>(count));
  for (int32_t i = 0; i < count; ++i) {
    const RgnRect r = rgnData.Rect(i);
    rects.emplace_back(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1));
  }
  QRegion region;
  if (IsBanded(rgnData)) {
    // Banded data is already in the form QRegion keeps, so it is taken over as it is.
    region.setRects(rects.data(), count);
  } else {
    for (const QRect& r : rects) region += r;
  }
  return region;
}

}  // namespace skin
