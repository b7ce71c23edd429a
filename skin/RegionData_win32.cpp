#include "skin/RegionData_win32.h"

namespace skin::gdi {

HRGN CreateRegion(const RegionData& data) {
  return ExtCreateRegion(nullptr, static_cast<DWORD>(data.Size()), reinterpret_cast<const RGNDATA*>(data.Data()));
}

}  // namespace skin::gdi
