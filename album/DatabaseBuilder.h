// Building picture databases the way the handheld stores them: a 78-byte Palm
// database header, one record entry, a 2-byte gap, then the pixel bytes.
// Used by the demo album, the tests and the benchmarks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace album {

// `name` fills the 32-byte name field (cut to 32 bytes, zero-padded).
std::vector<uint8_t> buildPictureDatabase(const std::string& name, const std::vector<uint8_t>& pixels);

}  // namespace album
