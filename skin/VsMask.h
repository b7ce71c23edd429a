// Mask to region on Qt: region data from a bitmap and a mask colour, scanned
// under the wait cursor, and the region made from that data.
#pragma once

#include <QRegion>

#include "skin/MaskRegion.h"
#include "skin/RgnData.h"

namespace skin {

// Shows Qt's wait cursor as the application's override cursor; End restores the previous one.
class WaitCursor : public BusyCursor {
 public:
  void Begin() override;
  void End() noexcept override;
};

// BuildMaskRegion with the wait cursor shown while it scans.
void BuildMaskRegion(int32_t X, int32_t Y, const base::Bitmap& bitmap, uint32_t maskColor, TRgnData& rgnData);

// A new region from the data's rectangles; empty when the data holds none.
QRegion CreateRegion(const TRgnData& rgnData);

}  // namespace skin
