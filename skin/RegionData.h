// Region data: a region stored as the bytes the Win32 GetRegionData call
// returns, so that a region can be made from it again at any time. A plain
// value, standard C++ only.
//
// Layout (little-endian): a 32-byte header (dwSize 32, iType 1 = rectangles,
// nCount, nRgnSize = 16 * nCount, bounding rectangle), then nCount rectangles
// of four signed 32-bit values left, top, right, bottom (right and bottom
// exclusive), in bands sorted by top, then by left.
#pragma once

#include <cstdint>
#include <vector>

namespace skin {

struct RgnRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
  bool operator==(const RgnRect&) const = default;
};

class RegionData {
 public:
  int32_t Size() const { return static_cast<int32_t>(bytes_.size()); }
  // The bytes held, or none when empty.
  uint8_t* Data() { return bytes_.empty() ? nullptr : bytes_.data(); }
  const uint8_t* Data() const { return bytes_.empty() ? nullptr : bytes_.data(); }

  // Resizes the buffer keeping its leading bytes; new bytes are zero. The current
  // size does nothing; 0 releases the buffer. A negative size raises "Range check error".
  void SetSize(int32_t value);
  // Takes the bytes, releasing the old ones. More than fits a 32-bit size
  // raises "Integer overflow".
  void Assign(std::vector<uint8_t> bytes);

  // The number of rectangles held; 0 when the data is not well-formed rectangle data.
  int32_t RectCount() const;
  // Rectangle `index`, 0 <= index < RectCount().
  RgnRect Rect(int32_t index) const;
  // All rectangles held.
  std::vector<RgnRect> Rects() const;
  // The bounding rectangle from the header (all zero when the data is not well-formed).
  RgnRect Bounds() const;

 private:
  bool wellFormed() const;

  std::vector<uint8_t> bytes_;
};

// Region data bytes for banded rectangles: header, bounding box, rectangles.
std::vector<uint8_t> EncodeRegionData(const std::vector<RgnRect>& rects);

}  // namespace skin
