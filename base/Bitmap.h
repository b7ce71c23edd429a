// A device-independent bitmap: 1, 4 or 8 bits per pixel with a palette, or 24
// or 32 bits per pixel. Rows are kept as a BMP file stores them (bottom row
// first, each padded to 4 bytes), so reading and writing BMP images copies
// whole blocks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/Stream.h"

namespace base {

struct RGBQuad {
  uint8_t blue = 0;
  uint8_t green = 0;
  uint8_t red = 0;
  uint8_t reserved = 0;
  bool operator==(const RGBQuad&) const = default;
};

enum class PixelFormat { Indexed1, Indexed4, Indexed8, Rgb24, Rgb32 };

int bitsPerPixel(PixelFormat format);
bool isIndexed(PixelFormat format);

class Bitmap {
 public:
  // The largest pixel area a BMP image may claim before it is refused as not valid.
  static constexpr size_t kMaxPixelBytes = size_t{128} * 1024 * 1024;
  static constexpr int kMaxDimension = 32767;

  Bitmap() = default;
  Bitmap(int width, int height, PixelFormat format);

  bool empty() const { return width_ == 0 || height_ == 0; }
  int width() const { return width_; }
  int height() const { return height_; }
  PixelFormat format() const { return format_; }
  int bitsPerPixel() const { return base::bitsPerPixel(format_); }
  // Bytes of one stored row, padded to a multiple of 4.
  size_t stride() const { return stride_; }

  // Row `row` counted from the top (row 0 is the top row of the picture).
  uint8_t* scanLine(int row) { return bits_.data() + rowOffset(row); }
  const uint8_t* scanLine(int row) const { return bits_.data() + rowOffset(row); }
  // All rows in storage order: bottom row first.
  const std::vector<uint8_t>& bits() const { return bits_; }
  std::vector<uint8_t>& bits() { return bits_; }

  std::vector<RGBQuad>& palette() { return palette_; }
  const std::vector<RGBQuad>& palette() const { return palette_; }

  // The colour of a pixel as 0x00BBGGRR, as the GDI reports it.
  uint32_t pixelColor(int x, int y) const;

  // Header fields that are carried from a read image to a written one.
  int32_t xPelsPerMeter = 0;
  int32_t yPelsPerMeter = 0;
  uint32_t colorsUsed = 0;
  uint32_t colorsImportant = 0;

  void clear();
  void flipVertical();
  // Takes other's palette and header fields; size and pixels stay.
  void takePaletteAndHeader(const Bitmap& other);
  // Takes other's size, format, palette and header fields; the pixel bytes keep
  // whatever they held (memory is reused when the size is the same already).
  void reshapeLike(const Bitmap& other);

  // Reads one uncompressed BMP file image (1, 4, 8, 24 or 32 bits per pixel,
  // either row order, any information header from 40 bytes on) from the
  // stream's position and leaves the position right after it. An empty stream
  // remainder gives an empty bitmap.
  void loadFromStream(Stream& stream);
  // Writes the bitmap as one complete BMP file image with a 40-byte information
  // header, rows bottom-up (nothing for an empty bitmap).
  void saveToStream(Stream& stream) const;
  // The file header, information header and palette that saveToStream writes before the rows.
  std::vector<uint8_t> headerBytes() const;
  // Serialises the BMP file image into a buffer.
  std::vector<uint8_t> toBmp() const;
  // Byte size of the BMP file image that saveToStream writes.
  size_t imageSize() const;

  bool operator==(const Bitmap&) const = default;

 private:
  size_t rowOffset(int row) const { return static_cast<size_t>(height_ - 1 - row) * stride_; }
  uint32_t paletteEntriesWritten() const;

  int width_ = 0;
  int height_ = 0;
  PixelFormat format_ = PixelFormat::Indexed8;
  size_t stride_ = 0;
  std::vector<RGBQuad> palette_;
  std::vector<uint8_t> bits_;
};

}  // namespace base
