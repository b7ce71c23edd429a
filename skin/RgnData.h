// Region data: a region stored as the bytes the Win32 GetRegionData call
// returns, so that a region can be made from it again at any time.
//
// Layout (little-endian): a 32-byte header (dwSize 32, iType 1 = rectangles,
// nCount, nRgnSize = 16 * nCount, bounding rectangle), then nCount rectangles
// of four signed 32-bit values left, top, right, bottom (right and bottom
// exclusive), in bands sorted by top, then by left.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "forms/core/Classes.h"

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

namespace skin {

inline int32_t LoadI32(const uint8_t* at) {
  return static_cast<int32_t>(static_cast<uint32_t>(at[0]) | (static_cast<uint32_t>(at[1]) << 8) |
                              (static_cast<uint32_t>(at[2]) << 16) | (static_cast<uint32_t>(at[3]) << 24));
}

struct RgnRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
  bool operator==(const RgnRect&) const = default;
};
static_assert(sizeof(RgnRect) == 16, "a rectangle is stored as four 32-bit values");

inline constexpr uint32_t kRgnHeaderSize = 32;
inline constexpr uint32_t kRgnRectangles = 1;  // RDH_RECTANGLES
inline constexpr uint32_t kRgnRectSize = 16;

// A byte buffer from malloc, so that it can grow and shrink with realloc: a
// large buffer then grows by remapping its pages instead of copying them.
struct FreeBytes {
  void operator()(uint8_t* p) const noexcept { std::free(p); }
};
using MallocBytes = std::unique_ptr<uint8_t, FreeBytes>;

class TRgnData : public forms::TPersistent {
 public:
  using forms::TPersistent::Assign;

  TRgnData() = default;
  TRgnData(const TRgnData&) = delete;
  TRgnData& operator=(const TRgnData&) = delete;
  ~TRgnData() override { SetSize(0); }
  const char* ClassName() const override { return "TRgnData"; }

  int32_t Size() const { return size_; }
  uint8_t* Data() { return data_.get(); }
  const uint8_t* Data() const { return data_.get(); }

  // Resizes the buffer keeping its leading bytes; new bytes are zero. The current
  // size does nothing; 0 releases the buffer. A negative size is refused.
  void SetSize(int32_t value);

  // Takes over a malloc'd buffer of `size` bytes, releasing the old one.
  void Assign(MallocBytes bytes, int32_t size);
  // Copies the bytes, releasing the old buffer. More than fits a 32-bit size
  // raises "Integer overflow".
  void Assign(const std::vector<uint8_t>& bytes);

  // The number of rectangles held; 0 when the data is not well-formed rectangle data.
  int32_t RectCount() const;
  // Rectangle `index`, 0 <= index < RectCount().
  RgnRect Rect(int32_t index) const {
    const uint8_t* p = data_.get() + kRgnHeaderSize + static_cast<size_t>(index) * kRgnRectSize;
    RgnRect r;
    if constexpr (std::endian::native == std::endian::little) {
      std::memcpy(&r, p, sizeof r);
    } else {
      r = RgnRect{LoadI32(p), LoadI32(p + 4), LoadI32(p + 8), LoadI32(p + 12)};
    }
    return r;
  }
  // All rectangles held.
  std::vector<RgnRect> Rects() const;
  // The bounding rectangle from the header (all zero when the data is not well-formed).
  RgnRect Bounds() const;

 private:
  bool wellFormed() const;

  MallocBytes data_;
  int32_t size_ = 0;
};

// Stores one 32-bit value little-endian, as the region data keeps it.
inline void StoreU32(uint8_t* at, uint32_t value) {
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(at, &value, 4);
  } else {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<uint8_t>(value >> (8 * i));
  }
}

inline void StoreRect(uint8_t* at, const RgnRect& r) {
  StoreU32(at, static_cast<uint32_t>(r.left));
  StoreU32(at + 4, static_cast<uint32_t>(r.top));
  StoreU32(at + 8, static_cast<uint32_t>(r.right));
  StoreU32(at + 12, static_cast<uint32_t>(r.bottom));
}

// Writes the header for `count` rectangles into the first 32 bytes at `at`.
void StoreRegionHeader(uint8_t* at, uint32_t count, const RgnRect& bounds);

// Serialises banded rectangles into region data bytes: header, bounding box, rectangles.
std::vector<uint8_t> EncodeRegionData(const std::vector<RgnRect>& rects);

// True when the rectangles are in the banded form regions keep: sorted by top then
// left, each band of one top and bottom, no empty, overlapping or touching
// rectangles within a band.
bool IsBanded(const TRgnData& data);

#ifdef _WIN32
namespace gdi {
// A new region handle made with ExtCreateRegion from the data; the caller owns it.
HRGN CreateRegion(const TRgnData& data);
}  // namespace gdi
#endif

}  // namespace skin
