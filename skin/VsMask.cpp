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

namespace {

// The rectangles handed to QRegion, kept from one call to the next (up to a
// modest size) so that repeated calls write into memory already mapped.
class RectScratch {
 public:
  explicit RectScratch(size_t count) : rects_(forThisThread()) {
    rects_.clear();
    rects_.reserve(count);
  }
  ~RectScratch() {
    if (rects_.capacity() * sizeof(QRect) > kKeptBytes) std::vector<QRect>().swap(rects_);
  }
  RectScratch(const RectScratch&) = delete;
  RectScratch& operator=(const RectScratch&) = delete;
  std::vector<QRect>& rects() { return rects_; }

 private:
  static constexpr size_t kKeptBytes = size_t{16} * 1024 * 1024;
  static std::vector<QRect>& forThisThread() {
    thread_local std::vector<QRect> rects;
    return rects;
  }
  std::vector<QRect>& rects_;
};

}  // namespace

QRegion CreateRegion(const TRgnData& rgnData) {
  const int32_t count = rgnData.RectCount();
  RectScratch scratch(static_cast<size_t>(count));
  std::vector<QRect>& rects = scratch.rects();
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
