#include "cli/PngWriter.h"

#include <zlib.h>

#include <stdexcept>
#include <string>

namespace cli {

namespace {

constexpr uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr uint8_t kBitDepth = 8;
constexpr uint8_t kColourTypePalette = 3;
constexpr uint8_t kFilterNone = 0;

void putU32BE(std::vector<uint8_t>& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

// Appends one chunk: length, type, data and the CRC over type and data.
void putChunk(std::vector<uint8_t>& out, const char (&type)[5], const std::vector<uint8_t>& data) {
  putU32BE(out, static_cast<uint32_t>(data.size()));
  const size_t typeAt = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  const uLong crc = crc32(0L, out.data() + typeAt, static_cast<uInt>(out.size() - typeAt));
  putU32BE(out, static_cast<uint32_t>(crc));
}

std::vector<uint8_t> header(const base::Bitmap& picture) {
  std::vector<uint8_t> data;
  putU32BE(data, static_cast<uint32_t>(picture.width()));
  putU32BE(data, static_cast<uint32_t>(picture.height()));
  data.insert(data.end(), {kBitDepth, kColourTypePalette, 0, 0, 0});  // deflate, adaptive filters, no interlace
  return data;
}

std::vector<uint8_t> palette(const base::Bitmap& picture) {
  std::vector<uint8_t> data;
  for (const base::RGBQuad& q : picture.palette()) data.insert(data.end(), {q.red, q.green, q.blue});
  return data;
}

// Rows top to bottom, each after a filter-type byte.
std::vector<uint8_t> compressedRows(const base::Bitmap& picture) {
  const size_t width = static_cast<size_t>(picture.width());
  std::vector<uint8_t> raw;
  raw.reserve((width + 1) * static_cast<size_t>(picture.height()));
  for (int y = 0; y < picture.height(); ++y) {
    raw.push_back(kFilterNone);
    raw.insert(raw.end(), picture.scanLine(y), picture.scanLine(y) + width);
  }
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  std::vector<uint8_t> packed(size);
  if (compress2(packed.data(), &size, raw.data(), static_cast<uLong>(raw.size()), Z_DEFAULT_COMPRESSION) != Z_OK)
    throw std::runtime_error("Out of memory");
  packed.resize(size);
  return packed;
}

}  // namespace

std::vector<uint8_t> encodePng(const base::Bitmap& picture) {
  if (picture.format() != base::PixelFormat::Indexed8 || picture.empty() || picture.palette().empty())
    throw std::invalid_argument("Only 8-bit palettised pictures can be written as PNG");
  std::vector<uint8_t> png(std::begin(kSignature), std::end(kSignature));
  putChunk(png, "IHDR", header(picture));
  putChunk(png, "PLTE", palette(picture));
  putChunk(png, "IDAT", compressedRows(picture));
  putChunk(png, "IEND", {});
  return png;
}

}  // namespace cli
