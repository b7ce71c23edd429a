// Arbitrary bytes as Windows-1252 text and as file names: every conversion gives
// well-formed UTF-8, Windows-1252 survives the way there and back, and escaped
// text holds no control character.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "base/Text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::string utf8 = base::cp1252ToUtf8(bytes);
  if (!base::isValidUtf8(utf8) || base::utf8ToCp1252(utf8) != bytes) std::abort();
  const std::string name = base::fileNameToUtf8(bytes);
  if (!base::isValidUtf8(name)) std::abort();
  if (base::isValidUtf8(bytes) && name != bytes) std::abort();
  (void)base::utf8ToCp1252(bytes);
  const std::string escaped = base::escapeControls(name);
  if (!base::isValidUtf8(escaped)) std::abort();
  for (size_t i = 0; i < escaped.size(); ++i) {
    const auto c = static_cast<uint8_t>(escaped[i]);
    if (c < 0x20 || c == 0x7F) std::abort();
    if (c == 0xC2 && i + 1 < escaped.size() && static_cast<uint8_t>(escaped[i + 1]) < 0xA0) std::abort();
  }
  return 0;
}
