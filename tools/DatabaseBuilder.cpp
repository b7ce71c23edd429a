#include "tools/DatabaseBuilder.h"

#include <algorithm>
#include <cstring>

#include "base/ByteOrder.h"

namespace album {

namespace {

constexpr size_t kHeaderSize = 78;
constexpr size_t kRecordEntrySize = 8;
constexpr size_t kGapSize = 2;

}  // namespace

std::vector<uint8_t> buildPictureDatabase(const std::string& name, const std::vector<uint8_t>& pixels,
                                          const DatabaseDates& dates) {
  const size_t pixelOffset = kHeaderSize + kRecordEntrySize + kGapSize;
  std::vector<uint8_t> file(pixelOffset + pixels.size(), 0);
  uint8_t* p = file.data();
  std::memcpy(p, name.data(), std::min<size_t>(name.size(), 32));
  base::storeBE16(p + 32, 0x0008);  // attributes: backup
  base::storeBE16(p + 34, 1);       // version
  base::storeBE32(p + 36, dates.created);
  base::storeBE32(p + 40, dates.modified);
  std::memcpy(p + 60, "Pict", 4);  // type
  std::memcpy(p + 64, "Qlry", 4);  // creator
  base::storeBE16(p + 76, 1);             // record count
  uint8_t* entry = p + kHeaderSize;
  base::storeBE32(entry, static_cast<uint32_t>(pixelOffset));
  entry[4] = 0x40;  // record attributes: dirty
  entry[7] = 1;     // unique ID
  std::copy(pixels.begin(), pixels.end(), file.begin() + static_cast<std::ptrdiff_t>(pixelOffset));
  return file;
}

}  // namespace album
