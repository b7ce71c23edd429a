// Feeds arbitrary bytes to the Wine registry reader: Palm Desktop's Path and
// DesktopPath, and the default value of the same key.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "users/UserDirectory.h"
#include "users/WineRegistry.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  for (const char* name : {"Path", "DesktopPath", ""}) {
    const auto value = users::readWineRegistryString(text, users::kPalmDesktopKey, name);
    if (value) (void)value->size();
  }
  return 0;
}
