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
  const std::vector<RgnRect> rects = rgnData.Rects();
  QList<QRect> qrects;
  qrects.reserve(static_cast<qsizetype>(rects.size()));
  for (const RgnRect& r : rects) qrects.append(QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1)));
  QRegion region;
  if (IsBanded(rects)) {
    // Banded data is already in the form QRegion keeps, so it is taken over as it is.
    region.setRects(qrects.constData(), static_cast<int>(qrects.size()));
  } else {
    for (const QRect& r : qrects) region += r;
  }
  return region;
}

}  // namespace skin
