// Turns a bitmap and a mask colour into region data: every pixel whose colour
// differs from the mask colour belongs to the region. Standard C++ only.
#pragma once

#include <cstdint>

#include "base/Bitmap.h"
#include "skin/RegionData.h"

namespace skin {

// The region data of all pixels of `bitmap` whose 0x00BBGGRR colour is not
// exactly `maskColor`, shifted by (X, Y): the bytes GetRegionData gives for that
// region. A mask colour above 0x00FFFFFF (a symbolic system colour, clNone) never
// equals a pixel. When every pixel is masked, or on failure, `rgnData` is left as
// it was. A coordinate that does not fit 32 bits raises "Integer overflow".
void BuildMaskRegion(int32_t X, int32_t Y, const base::Bitmap& bitmap, uint32_t maskColor, RegionData& rgnData);

}  // namespace skin
