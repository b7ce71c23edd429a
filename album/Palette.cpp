#include "album/Palette.h"

namespace album {

namespace {

constexpr uint8_t kLevels[6] = {0xFF, 0xCF, 0x9A, 0x65, 0x30, 0x00};
constexpr uint8_t kGreys[10] = {0x10, 0x20, 0x45, 0x55, 0x75, 0x8A, 0xAA, 0xBA, 0xDF, 0xEF};
constexpr int kCubeEntries = 215;
constexpr int kFirstGrey = 215;
constexpr int kFirstBlack = 230;

base::RGBQuad rgb(uint8_t red, uint8_t green, uint8_t blue) { return base::RGBQuad{blue, green, red, 0}; }

// The cube runs in two halves of 108 entries (blue levels 0-2, then 3-5); within
// a half, red changes slowest and green fastest.
base::RGBQuad cubeColor(int i) {
  const int half = i / 108;
  const int red = (i % 108) / 18;
  const int blue = 3 * half + (i % 18) / 6;
  const int green = i % 6;
  return rgb(kLevels[red], kLevels[green], kLevels[blue]);
}

Palette buildPalette() {
  Palette p{};
  for (int i = 0; i < kCubeEntries; ++i) p[i] = cubeColor(i);
  for (int i = 0; i < 10; ++i) p[kFirstGrey + i] = rgb(kGreys[i], kGreys[i], kGreys[i]);
  p[225] = rgb(0xC3, 0xC3, 0xC3);
  p[226] = rgb(0x82, 0x00, 0x00);
  p[227] = rgb(0x82, 0x00, 0x82);
  p[228] = rgb(0x00, 0x82, 0x00);
  p[229] = rgb(0x00, 0x82, 0x82);
  for (int i = kFirstBlack; i < 256; ++i) p[i] = rgb(0, 0, 0);
  return p;
}

}  // namespace

const Palette& picturePalette() {
  static const Palette palette = buildPalette();
  return palette;
}

uint8_t cubeIndex(int redLevel, int greenLevel, int blueLevel) {
  if (redLevel == 5 && greenLevel == 5 && blueLevel == 5) return kFirstBlack;
  return static_cast<uint8_t>((blueLevel / 3) * 108 + redLevel * 18 + (blueLevel % 3) * 6 + greenLevel);
}

uint8_t nearestPaletteIndex(uint8_t red, uint8_t green, uint8_t blue) {
  const Palette& p = picturePalette();
  int best = 0;
  int bestDistance = 1 << 30;
  for (int i = 0; i < 256; ++i) {
    const int dr = p[i].red - red, dg = p[i].green - green, db = p[i].blue - blue;
    const int distance = dr * dr + dg * dg + db * db;
    if (distance < bestDistance) {
      best = i;
      bestDistance = distance;
    }
  }
  return static_cast<uint8_t>(best);
}

}  // namespace album
