#include "skin/RegionData.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

#include "base/Checked.h"
#include "base/Errors.h"
#include "skin/Messages.h"

namespace skin {

RegionData& RegionData::operator=(const RegionData& other) {
  if (this == &other) return *this;
  SetSize(0);
  SetSize(other.size_);
  if (size_ > 0) std::memcpy(data_.get(), other.data_.get(), static_cast<size_t>(size_));
  return *this;
}

void RegionData::SetSize(int32_t value) {
  if (value == size_) return;
  if (value < 0) throw base::Exception(msg::RangeCheck);
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

void RegionData::Assign(MallocBytes bytes, int32_t size) {
  data_ = std::move(bytes);
  size_ = data_ ? size : 0;
}

void RegionData::Assign(const std::vector<uint8_t>& bytes) {
  const int32_t size = base::checkedCast<int32_t>(bytes.size());
  SetSize(0);
  SetSize(size);
  if (size > 0) std::memcpy(data_.get(), bytes.data(), bytes.size());
}

bool RegionData::wellFormed() const {
  if (size_ < static_cast<int32_t>(kRgnHeaderSize)) return false;
  const uint8_t* p = data_.get();
  if (base::loadLE32(p) != kRgnHeaderSize || base::loadLE32(p + 4) != kRgnRectangles) return false;
  const uint64_t count = base::loadLE32(p + 8);
  return kRgnHeaderSize + count * kRgnRectSize <= static_cast<uint64_t>(size_);
}

int32_t RegionData::RectCount() const { return wellFormed() ? static_cast<int32_t>(base::loadLE32(data_.get() + 8)) : 0; }

std::vector<RgnRect> RegionData::Rects() const {
  const int32_t count = RectCount();
  std::vector<RgnRect> rects;
  rects.reserve(static_cast<size_t>(count));
  for (int32_t i = 0; i < count; ++i) rects.push_back(Rect(i));
  return rects;
}

RgnRect RegionData::Bounds() const {
  return wellFormed() ? LoadRect(data_.get() + 16) : RgnRect{};
}

void StoreRegionHeader(uint8_t* at, uint32_t count, const RgnRect& bounds) {
  base::storeLE32(at, kRgnHeaderSize);
  base::storeLE32(at + 4, kRgnRectangles);
  base::storeLE32(at + 8, count);
  base::storeLE32(at + 12, base::checkedMul(count, kRgnRectSize));
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

bool IsBanded(const RegionData& data) {
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

}  // namespace skin
