#include "skin/RgnData.h"

#include <algorithm>
#include <limits>

#include "base/Checked.h"
#include "base/Errors.h"

namespace skin {

namespace {

uint32_t loadU32(const uint8_t* at) {
  return static_cast<uint32_t>(at[0]) | (static_cast<uint32_t>(at[1]) << 8) | (static_cast<uint32_t>(at[2]) << 16) |
         (static_cast<uint32_t>(at[3]) << 24);
}

RgnRect loadRect(const uint8_t* at) {
  return RgnRect{static_cast<int32_t>(loadU32(at)), static_cast<int32_t>(loadU32(at + 4)),
                 static_cast<int32_t>(loadU32(at + 8)), static_cast<int32_t>(loadU32(at + 12))};
}

}  // namespace

void TRgnData::SetSize(int32_t value) {
  if (value == Size()) return;
  if (value < 0) throw base::Exception("Range check error");
  if (value == 0) {
    std::vector<uint8_t>().swap(data_);
    return;
  }
  data_.resize(static_cast<size_t>(value));
}

void TRgnData::Assign(std::vector<uint8_t>&& bytes) {
  if (bytes.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max())) throw base::EIntOverflow();
  data_ = std::move(bytes);
}

bool TRgnData::wellFormed() const {
  if (data_.size() < kRgnHeaderSize) return false;
  const uint8_t* p = data_.data();
  if (loadU32(p) != kRgnHeaderSize || loadU32(p + 4) != kRgnRectangles) return false;
  const uint64_t count = loadU32(p + 8);
  return kRgnHeaderSize + count * kRgnRectSize <= data_.size();
}

std::vector<RgnRect> TRgnData::Rects() const {
  std::vector<RgnRect> rects;
  if (!wellFormed()) return rects;
  const uint32_t count = loadU32(data_.data() + 8);
  rects.reserve(count);
  const uint8_t* p = data_.data() + kRgnHeaderSize;
  for (uint32_t i = 0; i < count; ++i, p += kRgnRectSize) rects.push_back(loadRect(p));
  return rects;
}

RgnRect TRgnData::Bounds() const { return wellFormed() ? loadRect(data_.data() + 16) : RgnRect{}; }

void StoreRegionHeader(uint8_t* at, uint32_t count, const RgnRect& bounds) {
  StoreU32(at, kRgnHeaderSize);
  StoreU32(at + 4, kRgnRectangles);
  StoreU32(at + 8, count);
  StoreU32(at + 12, base::checkedMul(count, kRgnRectSize));
  StoreRect(at + 16, bounds);
}

std::vector<uint8_t> EncodeRegionData(const std::vector<RgnRect>& rects) {
  const uint32_t count = base::checkedCast<uint32_t>(rects.size());
  const uint32_t total = base::checkedAdd(kRgnHeaderSize, base::checkedMul(count, kRgnRectSize));
  std::vector<uint8_t> bytes(total);
  RgnRect bounds;
  if (!rects.empty()) {
    bounds = rects.front();
    for (const RgnRect& r : rects) {
      bounds.left = std::min(bounds.left, r.left);
      bounds.top = std::min(bounds.top, r.top);
      bounds.right = std::max(bounds.right, r.right);
      bounds.bottom = std::max(bounds.bottom, r.bottom);
    }
  }
  StoreRegionHeader(bytes.data(), count, bounds);
  uint8_t* p = bytes.data() + kRgnHeaderSize;
  for (const RgnRect& r : rects) {
    StoreRect(p, r);
    p += kRgnRectSize;
  }
  return bytes;
}

bool IsBanded(const std::vector<RgnRect>& rects) {
  for (size_t i = 0; i < rects.size(); ++i) {
    const RgnRect& r = rects[i];
    if (r.left >= r.right || r.top >= r.bottom) return false;
    if (i == 0) continue;
    const RgnRect& prev = rects[i - 1];
    const bool sameBand = r.top == prev.top;
    if (sameBand && (r.bottom != prev.bottom || r.left <= prev.right)) return false;
    if (!sameBand && r.top < prev.bottom) return false;
  }
  return true;
}

#ifdef _WIN32
namespace gdi {

HRGN CreateRegion(const TRgnData& data) {
  return ExtCreateRegion(nullptr, static_cast<DWORD>(data.Size()), reinterpret_cast<const RGNDATA*>(data.Data()));
}

}  // namespace gdi
#endif

}  // namespace skin
