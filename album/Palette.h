// The 256-colour palette that both picture templates carry. Its index layout
// is that of the Palm OS 8-bit system colour table; its colour values are the
// program's own.
#pragma once

#include <array>
#include <cstdint>

#include "base/Bitmap.h"

namespace album {

using Palette = std::array<base::RGBQuad, 256>;

const Palette& picturePalette();

// The colour-cube index of red, green and blue levels 0 to 5, where level 0 is
// full intensity (0xFF) and level 5 is none. Levels (5, 5, 5), black, have no
// cube entry; black is at index 230 and above.
uint8_t cubeIndex(int redLevel, int greenLevel, int blueLevel);

// The palette index whose colour is nearest to the given one (first of equals).
uint8_t nearestPaletteIndex(uint8_t red, uint8_t green, uint8_t blue);

}  // namespace album
