#include "skin/MaskRegion.h"

#include <utility>
#include <vector>

#include "base/Checked.h"

namespace skin {

namespace {

// The runs of one row as (start, end) pairs, end exclusive.
using Runs = std::vector<std::pair<int32_t, int32_t>>;

// The runs of pixels in row y that do not have the mask colour, left to right.
Runs rowRuns(const base::Bitmap& bitmap, int32_t y, uint32_t maskColor) {
  Runs runs;
  const int32_t width = bitmap.width();
  int32_t x = 0;
  while (x < width) {
    while (x < width && bitmap.pixelColor(x, y) == maskColor) ++x;
    if (x == width) break;
    const int32_t start = x++;
    while (x < width && bitmap.pixelColor(x, y) != maskColor) ++x;
    runs.emplace_back(start, x);
  }
  return runs;
}

// Appends a band's rectangles: the runs over rows top to bottom (exclusive), shifted by (X, Y).
void addBand(std::vector<RgnRect>& rects, const Runs& runs, int32_t top, int32_t bottom, int32_t X, int32_t Y) {
  for (const auto& [start, end] : runs)
    rects.push_back({base::checkedAdd(X, start), base::checkedAdd(Y, top), base::checkedAdd(X, end),
                     base::checkedAdd(Y, bottom)});
}

}  // namespace

void BuildMaskRegion(int32_t X, int32_t Y, const base::Bitmap& bitmap, uint32_t maskColor, RegionData& rgnData) {
  // Consecutive rows with the same runs form one band, as the union of their runs does.
  std::vector<RgnRect> rects;
  Runs band;
  int32_t bandTop = 0;
  for (int32_t y = 0; y < bitmap.height(); ++y) {
    Runs row = rowRuns(bitmap, y, maskColor);
    if (row == band) continue;
    addBand(rects, band, bandTop, y, X, Y);
    band = std::move(row);
    bandTop = y;
  }
  addBand(rects, band, bandTop, bitmap.height(), X, Y);
  if (!rects.empty()) rgnData.Assign(EncodeRegionData(rects));
}

}  // namespace skin
