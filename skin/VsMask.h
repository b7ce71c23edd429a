// Mask to region on Qt: region data from a bitmap and a mask colour, scanned
// under the wait cursor, and the region made from that data.
#pragma once

#include <QRegion>
#include <optional>

#include "forms/WaitCursor.h"
#include "skin/MaskRegion.h"
#include "skin/RegionData.h"

namespace skin {

// The forms wait cursor as the scan's busy cursor; End restores the previous one.
class WaitCursor : public BusyCursor {
 public:
  void Begin() override { shown_.emplace(); }
  void End() noexcept override { shown_.reset(); }

 private:
  std::optional<forms::WaitCursor> shown_;
};

// BuildMaskRegion with the wait cursor shown while it scans.
void BuildMaskRegion(int32_t X, int32_t Y, const base::Bitmap& bitmap, uint32_t maskColor, RegionData& rgnData);

// A new region from the data's rectangles; empty when the data holds none.
QRegion CreateRegion(const RegionData& rgnData);

}  // namespace skin
