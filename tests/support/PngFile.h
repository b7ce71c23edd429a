// A PNG file read back for a test: its chunks' CRCs checked, the header's
// fields, the palette and, for 8-bit unfiltered rows, the picture. Needs zlib.
#pragma once

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "base/Bitmap.h"

namespace testsupport {

struct PngFile {
  bool signatureGood = false;
  bool crcsGood = true;
  uint32_t width = 0, height = 0;
  uint8_t depth = 0, colourType = 0;
  std::vector<uint8_t> palette, idat;
};

inline uint32_t pngU32(const uint8_t* p) { return (uint32_t{p[0]} << 24) | (p[1] << 16) | (p[2] << 8) | p[3]; }

inline PngFile readPng(const std::vector<uint8_t>& f) {
  static const uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  PngFile png;
  png.signatureGood = f.size() > 8 && std::equal(signature, signature + 8, f.begin());
  for (size_t at = 8; at + 12 <= f.size();) {
    const uint32_t length = pngU32(&f[at]);
    if (length > f.size() - at - 12) {
      png.crcsGood = false;
      break;
    }
    const std::string type(f.begin() + static_cast<long>(at) + 4, f.begin() + static_cast<long>(at) + 8);
    const uint8_t* data = &f[at + 8];
    png.crcsGood &= crc32(0, &f[at + 4], length + 4) == pngU32(data + length);
    if (type == "IHDR") {
      png.width = pngU32(data);
      png.height = pngU32(data + 4);
      png.depth = data[8];
      png.colourType = data[9];
    }
    if (type == "PLTE") png.palette.assign(data, data + length);
    if (type == "IDAT") png.idat.insert(png.idat.end(), data, data + length);
    at += 12 + length;
  }
  return png;
}

// The picture of a palettised 8-bit PNG whose rows are all unfiltered; an empty
// bitmap when the data does not inflate to exactly those rows.
inline base::Bitmap pngPicture(const PngFile& png) {
  const size_t rowBytes = png.width + 1;
  std::vector<uint8_t> rows(rowBytes * png.height + 1);  // one spare byte shows data that runs over
  uLongf size = rows.size();
  if (uncompress(rows.data(), &size, png.idat.data(), png.idat.size()) != Z_OK || size != rowBytes * png.height)
    return {};
  base::Bitmap picture(static_cast<int>(png.width), static_cast<int>(png.height), base::PixelFormat::Indexed8);
  for (uint32_t y = 0; y < png.height; ++y) {
    if (rows[y * rowBytes] != 0) return {};
    std::copy_n(&rows[y * rowBytes + 1], png.width, picture.scanLine(static_cast<int>(y)));
  }
  for (size_t i = 0; i * 3 + 2 < png.palette.size(); ++i)
    picture.palette()[i] = base::RGBQuad{png.palette[i * 3 + 2], png.palette[i * 3 + 1], png.palette[i * 3], 0};
  return picture;
}

}  // namespace testsupport
