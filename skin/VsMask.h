// Mask to region on Qt: the region made from region data.
#pragma once

#include <QRegion>

#include "skin/RegionData.h"

namespace skin {

// A new region from the data's rectangles, in any order; empty when the data holds none.
QRegion CreateRegion(const RegionData& rgnData);

}  // namespace skin
