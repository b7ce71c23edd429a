// Feeds arbitrary bytes to the reader of the window's QSettings INI file.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "users/RememberedFolder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto value = users::readIniString(text, "General", "PalmFolder");
  if (value) (void)value->size();
  return 0;
}
