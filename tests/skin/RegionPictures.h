// Pictures for the region tests and benchmarks, and a slow reference for the
// region of a picture: one rectangle per run, normalised by a general union.
#pragma once

#include <algorithm>
#include <cstdint>
#include <map>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "base/Bitmap.h"
#include "skin/RgnData.h"

namespace region_test {

struct Picture {
  std::string name;
  base::Bitmap bitmap;
  uint32_t mask = 0;
  int32_t x = 0;
  int32_t y = 0;
};

inline uint32_t bgr(uint8_t r, uint8_t g, uint8_t b) { return r | (g << 8) | (static_cast<uint32_t>(b) << 16); }

inline void setRgb(base::Bitmap& bm, int x, int y, uint32_t color) {
  uint8_t* p = bm.scanLine(y) + static_cast<size_t>(x) * 3;
  p[0] = static_cast<uint8_t>(color >> 16);
  p[1] = static_cast<uint8_t>(color >> 8);
  p[2] = static_cast<uint8_t>(color);
}

// An 8-bit picture with a palette of `colors` distinct greys and every pixel at index 0.
inline base::Bitmap indexed(int w, int h, int colors = 256) {
  base::Bitmap bm(w, h, base::PixelFormat::Indexed8);
  bm.palette().resize(static_cast<size_t>(colors));
  for (int i = 0; i < colors; ++i) {
    const auto v = static_cast<uint8_t>(i * 255 / std::max(colors - 1, 1));
    bm.palette()[static_cast<size_t>(i)] = base::RGBQuad{v, v, static_cast<uint8_t>(255 - v), 0};
  }
  return bm;
}

inline uint32_t paletteColor(const base::Bitmap& bm, int index) {
  const base::RGBQuad& q = bm.palette()[static_cast<size_t>(index)];
  return bgr(q.red, q.green, q.blue);
}

// Random pixels from `colors` palette entries; masks index 0.
inline Picture noise8(int w, int h, int colors, unsigned seed) {
  Picture p{"noise8", indexed(w, h, colors)};
  std::mt19937 rng(seed);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) p.bitmap.scanLine(y)[x] = static_cast<uint8_t>(rng() % static_cast<unsigned>(colors));
  p.mask = paletteColor(p.bitmap, 0);
  return p;
}

// Random pixels of three colours, one of them the mask.
inline Picture noise24(int w, int h, unsigned seed) {
  Picture p{"noise24", base::Bitmap(w, h, base::PixelFormat::Rgb24)};
  const uint32_t colors[] = {0x00FFFFFF, 0x00000000, 0x00123456};
  std::mt19937 rng(seed);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) setRgb(p.bitmap, x, y, colors[rng() % 3]);
  p.mask = 0x00FFFFFF;
  return p;
}

// A smooth two-dimensional shading with a little grain, quantised to `levels`
// grey levels: large areas with ragged borders, as in a photograph.
inline int photoLevel(int x, int y, int w, int h, int levels, std::mt19937& rng) {
  const double fx = static_cast<double>(x) / std::max(w, 1);
  const double fy = static_cast<double>(y) / std::max(h, 1);
  const double wave = 0.5 + 0.25 * ((fx * 3.1 - fy * 1.7) - static_cast<int>(fx * 3.1 - fy * 1.7)) + 0.25 * fx * fy;
  const double grain = static_cast<double>(rng() % 1000) / 1000.0 * 0.08;
  return std::min(levels - 1, static_cast<int>((wave + grain) * levels) % levels);
}

inline Picture photo8(int w, int h, unsigned seed) {
  Picture p{"photo8", indexed(w, h, 16)};
  std::mt19937 rng(seed);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) p.bitmap.scanLine(y)[x] = static_cast<uint8_t>(photoLevel(x, y, w, h, 16, rng));
  p.mask = paletteColor(p.bitmap, 12);
  return p;
}

inline Picture photo24(int w, int h, unsigned seed) {
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

// A masked background with a filled ellipse that has square holes in it.
inline Picture flatWithHoles(int w, int h) {
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

// A copy of `p` with its colours written as 24-bit pixels.
inline Picture asRgb(const Picture& p) {
  Picture out{p.name + " (24-bit)", base::Bitmap(p.bitmap.width(), p.bitmap.height(), base::PixelFormat::Rgb24),
              p.mask, p.x, p.y};
  for (int y = 0; y < p.bitmap.height(); ++y)
    for (int x = 0; x < p.bitmap.width(); ++x) setRgb(out.bitmap, x, y, p.bitmap.pixelColor(x, y));
  return out;
}

// The pictures every comparison runs over.
inline std::vector<Picture> comparisonPictures() {
  std::vector<Picture> all;
  all.push_back(noise8(64, 48, 4, 1));
  all.push_back(noise8(33, 17, 2, 2));
  all.push_back(noise24(50, 37, 3));
  all.push_back(photo8(120, 90, 4));
  all.push_back(photo24(97, 61, 5));
  all.push_back(flatWithHoles(80, 60));
  all.push_back(asRgb(flatWithHoles(41, 23)));

  Picture single{"single pixels", indexed(9, 7, 2)};
  for (auto [x, y] : std::vector<std::pair<int, int>>{{0, 0}, {8, 0}, {4, 3}, {8, 6}, {0, 6}, {5, 3}})
    single.bitmap.scanLine(y)[x] = 1;
  single.mask = paletteColor(single.bitmap, 0);
  all.push_back(std::move(single));

  Picture checker{"checkerboard", indexed(16, 16, 2)};
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) checker.bitmap.scanLine(y)[x] = static_cast<uint8_t>((x + y) % 2);
  checker.mask = paletteColor(checker.bitmap, 1);
  all.push_back(std::move(checker));

  Picture stripes{"repeated rows with gaps", indexed(20, 12, 2)};
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 20; ++x) stripes.bitmap.scanLine(y)[x] = (y % 4 == 3) || (x % 7 == 2) ? 0 : 1;
  stripes.mask = paletteColor(stripes.bitmap, 0);
  all.push_back(std::move(stripes));

  Picture allMasked{"all masked", indexed(10, 10, 2)};
  allMasked.mask = paletteColor(allMasked.bitmap, 0);
  all.push_back(std::move(allMasked));

  Picture noneMasked = noise24(13, 7, 6);
  noneMasked.name = "none masked";
  noneMasked.mask = 0x00ABCDEF;
  all.push_back(std::move(noneMasked));

  Picture systemColor = noise8(12, 5, 3, 7);
  systemColor.name = "system colour as mask";
  systemColor.mask = 0x8000000F;
  all.push_back(std::move(systemColor));

  Picture column = noise8(1, 20, 2, 8);
  column.name = "one pixel wide";
  all.push_back(std::move(column));

  Picture line = noise24(30, 1, 9);
  line.name = "one pixel high";
  all.push_back(std::move(line));

  Picture shifted = flatWithHoles(30, 20);
  shifted.name = "shifted";
  shifted.x = -7;
  shifted.y = 1000;
  all.push_back(std::move(shifted));

  Picture shiftedNoise = noise8(25, 25, 3, 10);
  shiftedNoise.name = "shifted noise";
  shiftedNoise.x = 123456;
  shiftedNoise.y = -654;
  all.push_back(std::move(shiftedNoise));
  return all;
}

// The runs of non-mask pixels, one rectangle each, read pixel by pixel.
inline std::vector<skin::RgnRect> runRectangles(const Picture& p) {
  std::vector<skin::RgnRect> rects;
  const int w = p.bitmap.width();
  for (int y = 0; y < p.bitmap.height(); ++y) {
    int x = 0;
    while (x < w) {
      while (x < w && p.bitmap.pixelColor(x, y) == p.mask) ++x;
      if (x >= w) break;
      const int start = x++;
      while (x < w && p.bitmap.pixelColor(x, y) != p.mask) ++x;
      rects.push_back({p.x + start, p.y + y, p.x + x, p.y + y + 1});
    }
  }
  return rects;
}

// The union of arbitrary rectangles in banded form: cut at every top and bottom,
// merge the spans of each slice, then join touching slices with equal spans.
inline std::vector<skin::RgnRect> normalise(const std::vector<skin::RgnRect>& rects) {
  std::set<int32_t> cuts;
  for (const auto& r : rects) cuts.insert({r.top, r.bottom});
  std::vector<skin::RgnRect> out;
  size_t bandStart = 0;  // first rectangle of the last band in `out`
  for (auto it = cuts.begin(); it != cuts.end() && std::next(it) != cuts.end(); ++it) {
    const int32_t top = *it, bottom = *std::next(it);
    std::map<int32_t, int32_t> spans;  // left -> right, merged
    for (const auto& r : rects) {
      if (r.top > top || r.bottom < bottom || r.left >= r.right) continue;
      int32_t left = r.left, right = r.right;
      for (auto s = spans.begin(); s != spans.end();) {
        if (s->first <= right && s->second >= left) {
          left = std::min(left, s->first);
          right = std::max(right, s->second);
          s = spans.erase(s);
        } else {
          ++s;
        }
      }
      spans[left] = right;
    }
    if (spans.empty()) continue;
    std::vector<skin::RgnRect> slice;
    for (auto [l, r] : spans) slice.push_back({l, top, r, bottom});
    const bool joins = bandStart < out.size() && out[bandStart].bottom == top && out.size() - bandStart == slice.size() &&
                       std::equal(slice.begin(), slice.end(), out.begin() + static_cast<std::ptrdiff_t>(bandStart),
                                  [](const auto& a, const auto& b) { return a.left == b.left && a.right == b.right; });
    if (joins) {
      for (size_t i = bandStart; i < out.size(); ++i) out[i].bottom = bottom;
    } else {
      bandStart = out.size();
      out.insert(out.end(), slice.begin(), slice.end());
    }
  }
  return out;
}

}  // namespace region_test
