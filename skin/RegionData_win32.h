// Region data to a GDI region handle (Windows only).
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "skin/RegionData.h"

namespace skin::gdi {

// A new region handle made with ExtCreateRegion from the data; the caller owns it.
HRGN CreateRegion(const RegionData& data);

}  // namespace skin::gdi
