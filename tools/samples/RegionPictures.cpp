#include "tools/samples/RegionPictures.h"

#include <algorithm>
#include <random>

namespace samples {

namespace {

// The shading of photo8 and photo24, quantised to `levels` grey levels.
int photoLevel(int x, int y, int w, int h, int levels, std::mt19937& rng) {
  const double fx = static_cast<double>(x) / std::max(w, 1);
  const double fy = static_cast<double>(y) / std::max(h, 1);
  const double wave = 0.5 + 0.25 * ((fx * 3.1 - fy * 1.7) - static_cast<int>(fx * 3.1 - fy * 1.7)) + 0.25 * fx * fy;
  const double grain = static_cast<double>(rng() % 1000) / 1000.0 * 0.08;
  return std::min(levels - 1, static_cast<int>((wave + grain) * levels) % levels);
}

}  // namespace

uint32_t bgr(uint8_t r, uint8_t g, uint8_t b) { return r | (g << 8) | (static_cast<uint32_t>(b) << 16); }

void setRgb(base::Bitmap& bm, int x, int y, uint32_t color) {
  uint8_t* p = bm.scanLine(y) + static_cast<size_t>(x) * 3;
  p[0] = static_cast<uint8_t>(color >> 16);
  p[1] = static_cast<uint8_t>(color >> 8);
  p[2] = static_cast<uint8_t>(color);
}

base::Bitmap indexed(int w, int h, int colors) {
  base::Bitmap bm(w, h, base::PixelFormat::Indexed8);
  bm.palette().resize(static_cast<size_t>(colors));
  for (int i = 0; i < colors; ++i) {
    const auto v = static_cast<uint8_t>(i * 255 / std::max(colors - 1, 1));
    bm.palette()[static_cast<size_t>(i)] = base::RGBQuad{v, v, static_cast<uint8_t>(255 - v), 0};
  }
  return bm;
}

uint32_t paletteColor(const base::Bitmap& bm, int index) {
  const base::RGBQuad& q = bm.palette()[static_cast<size_t>(index)];
  return bgr(q.red, q.green, q.blue);
}

Picture noise8(int w, int h, int colors, unsigned seed) {
  Picture p{"noise8", indexed(w, h, colors)};
  std::mt19937 rng(seed);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) p.bitmap.scanLine(y)[x] = static_cast<uint8_t>(rng() % static_cast<unsigned>(colors));
  p.mask = paletteColor(p.bitmap, 0);
  return p;
}

Picture noise24(int w, int h, unsigned seed) {
  Picture p{"noise24", base::Bitmap(w, h, base::PixelFormat::Rgb24)};
  const uint32_t colors[] = {0x00FFFFFF, 0x00000000, 0x00123456};
  std::mt19937 rng(seed);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) setRgb(p.bitmap, x, y, colors[rng() % 3]);
  p.mask = 0x00FFFFFF;
  return p;
}

Picture photo8(int w, int h, unsigned seed) {
  Picture p{"photo8", indexed(w, h, 16)};
  std::mt19937 rng(seed);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) p.bitmap.scanLine(y)[x] = static_cast<uint8_t>(photoLevel(x, y, w, h, 16, rng));
  p.mask = paletteColor(p.bitmap, 12);
  return p;
}

Picture photo24(int w, int h, unsigned seed) {
  Picture p{"photo24", base::Bitmap(w, h, base::PixelFormat::Rgb24)};
  std::mt19937 rng(seed);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const auto v = static_cast<uint8_t>(photoLevel(x, y, w, h, 8, rng) * 32);
      setRgb(p.bitmap, x, y, bgr(v, static_cast<uint8_t>(v / 2), 200));
    }
  p.mask = bgr(3 * 32, 3 * 16, 200);
  return p;
}

Picture flatWithHoles(int w, int h) {
  Picture p{"flat with holes", indexed(w, h, 4)};
  const double cx = w / 2.0, cy = h / 2.0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const double dx = (x - cx) / (w * 0.45), dy = (y - cy) / (h * 0.45);
      const bool inside = dx * dx + dy * dy <= 1.0;
      const int hole = std::max(w / 10, 2);
      const bool inHole = (x / hole) % 3 == 1 && (y / hole) % 3 == 1;
      p.bitmap.scanLine(y)[x] = inside && !inHole ? 2 : 1;
    }
  p.mask = paletteColor(p.bitmap, 1);
  return p;
}

Picture asRgb(const Picture& p) {
  Picture out{p.name + " (24-bit)", base::Bitmap(p.bitmap.width(), p.bitmap.height(), base::PixelFormat::Rgb24),
              p.mask, p.x, p.y};
  for (int y = 0; y < p.bitmap.height(); ++y)
    for (int x = 0; x < p.bitmap.width(); ++x) setRgb(out.bitmap, x, y, p.bitmap.pixelColor(x, y));
  return out;
}

}  // namespace samples
