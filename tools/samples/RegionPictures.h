// Sample pictures for the region tests and benchmarks: noise, photograph-like
// shading and flat shapes with holes, in 8 and 24 bits, each with its mask colour.
#pragma once

#include <cstdint>
#include <string>

#include "base/Bitmap.h"

namespace samples {

// A picture, the colour (0x00BBGGRR) its region leaves out, and where the region goes.
struct Picture {
  std::string name;
  base::Bitmap bitmap;
  uint32_t mask = 0;
  int32_t x = 0;
  int32_t y = 0;
};

// The 0x00BBGGRR colour of red, green and blue.
uint32_t bgr(uint8_t r, uint8_t g, uint8_t b);
// Sets pixel (x, y) of a 24-bit picture.
void setRgb(base::Bitmap& bm, int x, int y, uint32_t color);
// An 8-bit picture with a palette of `colors` distinct greys and every pixel at index 0.
base::Bitmap indexed(int w, int h, int colors = 256);
// The 0x00BBGGRR colour of a palette entry.
uint32_t paletteColor(const base::Bitmap& bm, int index);

// Random pixels from `colors` palette entries; masks index 0.
Picture noise8(int w, int h, int colors, unsigned seed);
// Random pixels of three colours, one of them the mask.
Picture noise24(int w, int h, unsigned seed);
// A smooth two-dimensional shading with a little grain: large areas with ragged
// borders, as in a photograph; 16 levels in 8 bits, 8 in 24 bits.
Picture photo8(int w, int h, unsigned seed);
Picture photo24(int w, int h, unsigned seed);
// A masked background with a filled ellipse that has square holes in it.
Picture flatWithHoles(int w, int h);
// A copy of `p` with its colours written as 24-bit pixels.
Picture asRgb(const Picture& p);

}  // namespace samples
