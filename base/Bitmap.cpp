#include "base/Bitmap.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "base/ByteOrder.h"
#include "base/Errors.h"

namespace base {

namespace {

constexpr uint16_t kBmpType = 0x4D42;  // "BM"
constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;

size_t strideFor(int width, int bitsPerPixel) {
  return ((static_cast<size_t>(width) * static_cast<size_t>(bitsPerPixel) + 31) / 32) * 4;
}

// Skips count bytes forward, stopping at the end of the stream.
void skipForward(Stream& stream, int64_t count) {
  const int64_t left = stream.remaining();
  stream.seek(std::min(count, std::max<int64_t>(left, 0)), SeekOrigin::Current);
}

std::optional<PixelFormat> formatOfBits(uint16_t bitCount) {
  switch (bitCount) {
    case 1: return PixelFormat::Indexed1;
    case 4: return PixelFormat::Indexed4;
    case 8: return PixelFormat::Indexed8;
    case 24: return PixelFormat::Rgb24;
    case 32: return PixelFormat::Rgb32;
    default: return std::nullopt;
  }
}

}  // namespace

int bitsPerPixel(PixelFormat format) {
  switch (format) {
    case PixelFormat::Indexed1: return 1;
    case PixelFormat::Indexed4: return 4;
    case PixelFormat::Indexed8: return 8;
    case PixelFormat::Rgb24: return 24;
    case PixelFormat::Rgb32: return 32;
  }
  return 0;
}

bool isIndexed(PixelFormat format) { return bitsPerPixel(format) <= 8; }

Bitmap::Bitmap(int width, int height, PixelFormat format) : width_(width), height_(height), format_(format) {
  if (width < 0 || height < 0 || width > kMaxDimension || height > kMaxDimension) throw EInvalidGraphic();
  stride_ = strideFor(width, bitsPerPixel());
  bits_.assign(stride_ * static_cast<size_t>(height), 0);
  if (isIndexed(format)) palette_.assign(size_t{1} << bitsPerPixel(), RGBQuad{});
}

uint32_t Bitmap::pixelColor(int x, int y) const {
  const uint8_t* row = scanLine(y);
  const auto column = static_cast<size_t>(x);
  if (!isIndexed(format_)) {
    const uint8_t* p = row + column * (format_ == PixelFormat::Rgb24 ? 3 : 4);
    return static_cast<uint32_t>(p[2]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[0]) << 16);
  }
  // Narrow pixels are packed from the most significant bits of a byte on.
  uint8_t index = 0;
  if (format_ == PixelFormat::Indexed8)
    index = row[column];
  else if (format_ == PixelFormat::Indexed4)
    index = static_cast<uint8_t>((row[column / 2] >> (column % 2 == 0 ? 4 : 0)) & 0x0F);
  else
    index = static_cast<uint8_t>((row[column / 8] >> (7 - column % 8)) & 1);
  if (index >= palette_.size()) return 0;
  const RGBQuad& q = palette_[index];
  return static_cast<uint32_t>(q.red) | (static_cast<uint32_t>(q.green) << 8) | (static_cast<uint32_t>(q.blue) << 16);
}

void Bitmap::clear() { *this = Bitmap(); }

void Bitmap::flipVertical() {
  if (height_ < 2 || stride_ == 0) return;
  for (int top = 0, bottom = height_ - 1; top < bottom; ++top, --bottom) {
    uint8_t* a = scanLine(top);
    std::swap_ranges(a, a + stride_, scanLine(bottom));
  }
}

void Bitmap::reshapeLike(const Bitmap& other) {
  width_ = other.width_;
  height_ = other.height_;
  format_ = other.format_;
  stride_ = other.stride_;
  takePaletteAndHeader(other);
  bits_.resize(other.bits_.size());
}

void Bitmap::takePaletteAndHeader(const Bitmap& other) {
  palette_ = other.palette_;
  xPelsPerMeter = other.xPelsPerMeter;
  yPelsPerMeter = other.yPelsPerMeter;
  colorsUsed = other.colorsUsed;
  colorsImportant = other.colorsImportant;
}

void Bitmap::loadFromStream(Stream& stream) {
  if (stream.remaining() <= 0) {
    clear();
    return;
  }
  uint8_t fileHeader[kFileHeaderSize];
  stream.readBuffer(fileHeader, sizeof fileHeader);
  if (loadLE16(fileHeader) != kBmpType) throw EInvalidGraphic();
  const uint32_t pixelOffset = loadLE32(fileHeader + 10);

  // The fields used are those of the 40-byte header; longer ones (108, 124 bytes) add colour space data.
  uint8_t info[kInfoHeaderSize];
  stream.readBuffer(info, 4);
  const uint32_t infoSize = loadLE32(info);
  if (infoSize < kInfoHeaderSize || infoSize > 1024) throw EInvalidGraphic();
  stream.readBuffer(info + 4, kInfoHeaderSize - 4);
  std::vector<uint8_t> infoRest(infoSize - kInfoHeaderSize);
  if (!infoRest.empty()) stream.readBuffer(infoRest.data(), infoRest.size());

  const int32_t width = loadLEI32(info + 4);
  const int32_t rawHeight = loadLEI32(info + 8);
  const uint16_t bitCount = loadLE16(info + 14);
  const uint32_t compression = loadLE32(info + 16);
  const uint32_t used = loadLE32(info + 32);
  const std::optional<PixelFormat> format = formatOfBits(bitCount);
  if (compression != 0 || !format) throw EInvalidGraphic();
  if (width < 0 || rawHeight == INT32_MIN) throw EInvalidGraphic();
  const bool topDown = rawHeight < 0;
  const int32_t height = topDown ? -rawHeight : rawHeight;
  if (width > kMaxDimension || height > kMaxDimension) throw EInvalidGraphic();
  const size_t stride = strideFor(width, bitCount);
  if (stride * static_cast<size_t>(height) > kMaxPixelBytes) throw EInvalidGraphic();

  // A paletted image has up to 2^bits entries (all of them when "colours used" is 0);
  // a true-colour one may carry an unused table.
  const uint32_t fullTable = isIndexed(*format) ? uint32_t{1} << bitCount : 256;
  const uint32_t tableEntries = isIndexed(*format) && used == 0 ? fullTable : used;
  if (tableEntries > fullTable) throw EInvalidGraphic();
  std::vector<RGBQuad> table(tableEntries);
  if (tableEntries > 0) stream.readBuffer(table.data(), tableEntries * sizeof(RGBQuad));

  const uint32_t headersEnd = kFileHeaderSize + infoSize + tableEntries * 4;
  if (pixelOffset > headersEnd) skipForward(stream, pixelOffset - headersEnd);

  Bitmap result(width, height, *format);
  if (isIndexed(*format)) result.palette_ = std::move(table);
  result.xPelsPerMeter = loadLEI32(info + 24);
  result.yPelsPerMeter = loadLEI32(info + 28);
  result.colorsUsed = used;
  result.colorsImportant = loadLE32(info + 36);

  // A stream that ends inside the pixel rows leaves the missing rows at 0.
  const size_t total = result.bits_.size();
  size_t got = 0;
  while (got < total) {
    const size_t n = stream.read(result.bits_.data() + got, total - got);
    if (n == 0) break;
    got += n;
  }
  if (topDown) {
    // Stored order is bottom-up: reverse the rows read in top-down order.
    result.flipVertical();
  }
  *this = std::move(result);
}

uint32_t Bitmap::paletteEntriesWritten() const {
  return isIndexed(format_) ? static_cast<uint32_t>(palette_.size()) : 0;
}

size_t Bitmap::imageSize() const {
  if (empty()) return 0;
  return kFileHeaderSize + kInfoHeaderSize + paletteEntriesWritten() * 4 + bits_.size();
}

std::vector<uint8_t> Bitmap::headerBytes() const {
  if (empty()) return {};
  const uint32_t entries = paletteEntriesWritten();
  const uint32_t offset = kFileHeaderSize + kInfoHeaderSize + entries * 4;
  std::vector<uint8_t> out(offset);
  uint8_t* p = out.data();
  storeLE16(p, kBmpType);
  storeLE32(p + 2, static_cast<uint32_t>(imageSize()));
  storeLE32(p + 10, offset);
  uint8_t* info = p + kFileHeaderSize;
  storeLE32(info, kInfoHeaderSize);
  storeLE32(info + 4, static_cast<uint32_t>(width_));
  storeLE32(info + 8, static_cast<uint32_t>(height_));
  storeLE16(info + 12, 1);
  storeLE16(info + 14, static_cast<uint16_t>(bitsPerPixel()));
  storeLE32(info + 20, static_cast<uint32_t>(bits_.size()));
  storeLE32(info + 24, static_cast<uint32_t>(xPelsPerMeter));
  storeLE32(info + 28, static_cast<uint32_t>(yPelsPerMeter));
  // Keep a stored "colours used" that agrees with the table; otherwise state the table's size.
  const bool fullTable = isIndexed(format_) && entries == (uint32_t{1} << bitsPerPixel());
  const uint32_t used = (fullTable && (colorsUsed == 0 || colorsUsed == entries))
                            ? colorsUsed
                            : entries;
  storeLE32(info + 32, used);
  storeLE32(info + 36, std::min(colorsImportant, entries));
  if (entries > 0) std::memcpy(p + kFileHeaderSize + kInfoHeaderSize, palette_.data(), entries * 4);
  return out;
}

std::vector<uint8_t> Bitmap::toBmp() const {
  std::vector<uint8_t> out = headerBytes();
  out.insert(out.end(), bits_.begin(), bits_.end());
  return out;
}

void Bitmap::saveToStream(Stream& stream) const {
  // Headers and rows are written apart so that the pixel rows are not copied.
  const std::vector<uint8_t> header = headerBytes();
  stream.writeBuffer(header.data(), header.size());
  stream.writeBuffer(bits_.data(), bits_.size());
}

}  // namespace base
