#include "skin/RgnData.h"

#include <algorithm>
#include <limits>
#include <new>

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
  if (value == size_) return;
  if (value < 0) throw base::Exception("Range check error");
  if (value == 0) {
    data_.reset();
    size_ = 0;
    return;
  }
  auto* grown = static_cast<uint8_t*>(std::realloc(data_.get(), static_cast<size_t>(value)));
  if (grown == nullptr) throw std::bad_alloc();
  (void)data_.release();
  data_.reset(grown);
  if (value > size_) std::memset(grown + size_, 0, static_cast<size_t>(value - size_));
  size_ = value;
}

void TRgnData::Assign(MallocBytes bytes, int32_t size) {
  data_ = std::move(bytes);
  size_ = data_ ? size : 0;
}

void TRgnData::Assign(const std::vector<uint8_t>& bytes) {
  const int32_t size = base::checkedCast<int32_t>(bytes.size());
  SetSize(0);
  SetSize(size);
  if (size > 0) std::memcpy(data_.get(), bytes.data(), bytes.size());
}

bool TRgnData::wellFormed() const {
  if (size_ < static_cast<int32_t>(kRgnHeaderSize)) return false;
  const uint8_t* p = data_.get();
  if (loadU32(p) != kRgnHeaderSize || loadU32(p + 4) != kRgnRectangles) return false;
  const uint64_t count = loadU32(p + 8);
  return kRgnHeaderSize + count * kRgnRectSize <= static_cast<uint64_t>(size_);
}

int32_t TRgnData::RectCount() const { return wellFormed() ? static_cast<int32_t>(loadU32(data_.get() + 8)) : 0; }

std::vector<RgnRect> TRgnData::Rects() const {
  const int32_t count = RectCount();
  std::vector<RgnRect> rects;
  rects.reserve(static_cast<size_t>(count));
  for (int32_t i = 0; i < count; ++i) rects.push_back(Rect(i));
  return rects;
}

RgnRect TRgnData::Bounds() const {
  return wellFormed() ? loadRect(data_.get() + 16) : RgnRect{};
}

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

bool IsBanded(const TRgnData& data) {
  const int32_t count = data.RectCount();
  RgnRect prev;
  for (int32_t i = 0; i < count; ++i) {
    const RgnRect r = data.Rect(i);
    if (r.left >= r.right || r.top >= r.bottom) return false;
    if (i > 0) {
      const bool sameBand = r.top == prev.top;
      if (sameBand && (r.bottom != prev.bottom || r.left <= prev.right)) return false;
      if (!sameBand && r.top < prev.bottom) return false;
    }
    prev = r;
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
