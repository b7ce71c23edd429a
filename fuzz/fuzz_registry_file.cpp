// Feeds arbitrary bytes to the registry file reader and looks up a key.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/RegFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto file = platform::RegFile::parse(std::string_view(reinterpret_cast<const char*>(data), size));
  if (file) {
    if (const auto* values = file->key("HKEY_CURRENT_USER\\Software\\U.S. Robotics\\Pilot Desktop\\Core")) {
      for (const auto& [name, value] : *values) (void)value.isText();
    }
  }
  return 0;
}
