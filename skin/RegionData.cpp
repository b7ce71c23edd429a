#include "skin/RegionData.h"

#include <algorithm>
#include <utility>

#include "base/ByteOrder.h"
#include "base/Checked.h"
#include "base/Errors.h"
#include "skin/Messages.h"

namespace skin {

namespace {

constexpr uint32_t kHeaderSize = 32;
constexpr uint32_t kRectangles = 1;  // RDH_RECTANGLES
constexpr uint32_t kRectSize = 16;

RgnRect loadRect(const uint8_t* at) {
  return RgnRect{base::loadLEI32(at), base::loadLEI32(at + 4), base::loadLEI32(at + 8), base::loadLEI32(at + 12)};
}

void storeRect(uint8_t* at, const RgnRect& r) {
  base::storeLE32(at, static_cast<uint32_t>(r.left));
  base::storeLE32(at + 4, static_cast<uint32_t>(r.top));
  base::storeLE32(at + 8, static_cast<uint32_t>(r.right));
  base::storeLE32(at + 12, static_cast<uint32_t>(r.bottom));
}

}  // namespace

void RegionData::SetSize(int32_t value) {
  if (value == Size()) return;
  if (value < 0) throw base::Exception(msg::RangeCheck);
  if (value == 0) {
    bytes_ = {};
    return;
  }
  bytes_.resize(static_cast<size_t>(value));
}

void RegionData::Assign(std::vector<uint8_t> bytes) {
  (void)base::checkedCast<int32_t>(bytes.size());
  bytes_ = std::move(bytes);
}

bool RegionData::wellFormed() const {
  if (bytes_.size() < kHeaderSize) return false;
  const uint8_t* p = bytes_.data();
  if (base::loadLE32(p) != kHeaderSize || base::loadLE32(p + 4) != kRectangles) return false;
  const uint64_t count = base::loadLE32(p + 8);
  return kHeaderSize + count * kRectSize <= bytes_.size();
}

int32_t RegionData::RectCount() const {
  return wellFormed() ? static_cast<int32_t>(base::loadLE32(bytes_.data() + 8)) : 0;
}

RgnRect RegionData::Rect(int32_t index) const {
  return loadRect(bytes_.data() + kHeaderSize + static_cast<size_t>(index) * kRectSize);
}

std::vector<RgnRect> RegionData::Rects() const {
  const int32_t count = RectCount();
  std::vector<RgnRect> rects;
  for (int32_t i = 0; i < count; ++i) rects.push_back(Rect(i));
  return rects;
}

RgnRect RegionData::Bounds() const { return wellFormed() ? loadRect(bytes_.data() + 16) : RgnRect{}; }

std::vector<uint8_t> EncodeRegionData(const std::vector<RgnRect>& rects) {
  const uint32_t count = base::checkedCast<uint32_t>(rects.size());
  const uint32_t rectBytes = base::checkedMul(count, kRectSize);
  std::vector<uint8_t> bytes(base::checkedAdd(kHeaderSize, rectBytes));
  RgnRect bounds = rects.empty() ? RgnRect{} : rects.front();
  for (const RgnRect& r : rects) {
    bounds.left = std::min(bounds.left, r.left);
    bounds.top = std::min(bounds.top, r.top);
    bounds.right = std::max(bounds.right, r.right);
    bounds.bottom = std::max(bounds.bottom, r.bottom);
  }
  base::storeLE32(bytes.data(), kHeaderSize);
  base::storeLE32(bytes.data() + 4, kRectangles);
  base::storeLE32(bytes.data() + 8, count);
  base::storeLE32(bytes.data() + 12, rectBytes);
  storeRect(bytes.data() + 16, bounds);
  for (uint32_t i = 0; i < count; ++i) storeRect(bytes.data() + kHeaderSize + i * kRectSize, rects[i]);
  return bytes;
}

}  // namespace skin
