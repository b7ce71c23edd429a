// Turns a bitmap and a mask colour into region data: every pixel whose colour
// differs from the mask colour belongs to the region. Standard C++ only.
#pragma once

#include <cstdint>

#include "base/Bitmap.h"
#include "skin/RegionData.h"

namespace skin {

// Shows a busy cursor while a long operation runs. The operation calls Begin
// once and, when Begin returned, End exactly once, also when it fails.
class BusyCursor {
 public:
  virtual ~BusyCursor() = default;
  virtual void Begin() = 0;
  virtual void End() noexcept = 0;
};

// Holds a BusyCursor's Begin for the lifetime of the scope; a null cursor does nothing.
class BusyCursorScope {
 public:
  explicit BusyCursorScope(BusyCursor* cursor) : cursor_(cursor) {
    if (cursor_ != nullptr) cursor_->Begin();
  }
  ~BusyCursorScope() {
    if (cursor_ != nullptr) cursor_->End();
  }
  BusyCursorScope(const BusyCursorScope&) = delete;
  BusyCursorScope& operator=(const BusyCursorScope&) = delete;

 private:
  BusyCursor* cursor_;
};

// Builds, in one pass over the rows, the region data of all pixels of `bitmap`
// (top row first) whose 0x00BBGGRR colour is not exactly `maskColor`, shifted
// by (X, Y): the bytes GetRegionData gives for that region. A mask colour above
// 0x00FFFFFF (a symbolic system colour, clNone) never equals a pixel. When every
// pixel is masked, `rgnData` is left as it was; on failure it is left as it was.
// A coordinate that does not fit 32 bits raises "Integer overflow".
void BuildMaskRegion(int32_t X, int32_t Y, const base::Bitmap& bitmap, uint32_t maskColor, RegionData& rgnData,
                     BusyCursor* cursor);

}  // namespace skin
