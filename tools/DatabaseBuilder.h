// Building picture databases the way the handheld stores them: a 78-byte Palm
// database header, one record entry, a 2-byte gap, then the pixel bytes.
// Used by the demo album, the tests and the benchmarks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace album {

// The header's dates, in Palm seconds (from 1904-01-01 with the high bit set).
struct DatabaseDates {
  static constexpr uint32_t kJune2003 = 3137270400u;  // 2003-06-01 00:00 UTC
  uint32_t created = kJune2003;
  uint32_t modified = kJune2003;
};

// `name` fills the 32-byte name field (cut to 32 bytes, zero-padded).
std::vector<uint8_t> buildPictureDatabase(const std::string& name, const std::vector<uint8_t>& pixels,
                                          const DatabaseDates& dates = {});

}  // namespace album
