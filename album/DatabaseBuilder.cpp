#include "album/DatabaseBuilder.h"

#include <algorithm>
#include <cstring>

namespace album {

namespace {

constexpr size_t kHeaderSize = 78;
constexpr size_t kRecordEntrySize = 8;
constexpr size_t kGapSize = 2;

void putU16BE(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v >> 8);
  p[1] = static_cast<uint8_t>(v);
}

void putU32BE(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (24 - 8 * i));
}

}  // namespace

std::vector<uint8_t> buildPictureDatabase(const std::string& name, const std::vector<uint8_t>& pixels,
                                          const DatabaseDates& dates) {
  const size_t pixelOffset = kHeaderSize + kRecordEntrySize + kGapSize;
  std::vector<uint8_t> file(pixelOffset + pixels.size(), 0);
  uint8_t* p = file.data();
  std::memcpy(p, name.data(), std::min<size_t>(name.size(), 32));
  putU16BE(p + 32, 0x0008);  // attributes: backup
  putU16BE(p + 34, 1);       // version
  putU32BE(p + 36, dates.created);
  putU32BE(p + 40, dates.modified);
  std::memcpy(p + 60, "Pict", 4);  // type
  std::memcpy(p + 64, "Qlry", 4);  // creator
  putU16BE(p + 76, 1);             // record count
  uint8_t* entry = p + kHeaderSize;
  putU32BE(entry, static_cast<uint32_t>(pixelOffset));
  entry[4] = 0x40;  // record attributes: dirty
  entry[7] = 1;     // unique ID
  std::copy(pixels.begin(), pixels.end(), file.begin() + static_cast<std::ptrdiff_t>(pixelOffset));
  return file;
}

}  // namespace album
