// TRgnData: region data as a persistent object of the component world; the
// bytes and their reading are RegionData's.
#pragma once

#include "forms/core/Classes.h"
#include "skin/RegionData.h"

namespace skin {

class TRgnData : public forms::TPersistent, public RegionData {
 public:
  using forms::TPersistent::Assign;
  using RegionData::Assign;

  TRgnData() = default;
  TRgnData(const TRgnData&) = delete;
  TRgnData& operator=(const TRgnData&) = delete;
  const char* ClassName() const override { return "TRgnData"; }
};

}  // namespace skin
