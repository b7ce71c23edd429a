// Export file names and wildcard patterns from arbitrary bytes: a name's number
// must name the same file again, and matching must agree with plain checks.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "album/ExportAll.h"
#include "platform/Directory.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const int number = album::ExportNumbers::numberOf(text);
  if (number != 0) {
    if (number < 1 || number > album::ExportNumbers::kMax) std::abort();
    const std::string again = album::ExportNumbers::fileName(number);
    if (album::ExportNumbers::numberOf(again) != number) std::abort();
    if (!platform::kFileNamesIgnoreCase && again != text) std::abort();
  }
  // The first line is a pattern, the rest a name.
  const size_t cut = text.find('\n');
  const std::string pattern = text.substr(0, cut);
  const std::string name = cut == std::string::npos ? std::string() : text.substr(cut + 1);
  const bool matched = platform::matchesWildcard(name, pattern);
  if (pattern.find_first_of("*?") == std::string::npos && name.size() != pattern.size() && matched) std::abort();
  if (!platform::matchesWildcard(name, "*")) std::abort();
  const std::string plain = platform::toPlainFileName(text);
  if (plain.size() != text.size() || plain.find('/') != std::string::npos) std::abort();
  return 0;
}
