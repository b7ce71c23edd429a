// The pictures the region comparisons run over, and a slow reference for the
// region of a picture: one rectangle per run, normalised by a general union.
#pragma once

#include <algorithm>
#include <cstdint>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "skin/RegionData.h"
#include "tools/samples/RegionPictures.h"

namespace region_test {

using namespace samples;

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

// True when the rectangles are in the banded form regions keep: sorted by top then
// left, each band of one top and bottom, no empty, overlapping or touching
// rectangles within a band.
inline bool isBanded(const std::vector<skin::RgnRect>& rects) {
  for (size_t i = 0; i < rects.size(); ++i) {
    const skin::RgnRect& r = rects[i];
    if (r.left >= r.right || r.top >= r.bottom) return false;
    if (i == 0) continue;
    const skin::RgnRect& prev = rects[i - 1];
    const bool sameBand = r.top == prev.top;
    if (sameBand && (r.bottom != prev.bottom || r.left <= prev.right)) return false;
    if (!sameBand && r.top < prev.bottom) return false;
  }
  return true;
}

}  // namespace region_test
