// Reads arbitrary bytes as a BMP image; whatever is read must write and read back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "base/Bitmap.h"
#include "base/Errors.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  base::ConstMemoryStream stream(data, size);
  base::Bitmap bitmap;
  try {
    bitmap.loadFromStream(stream);
  } catch (const base::Exception&) {
    return 0;
  }
  if (stream.position() > static_cast<int64_t>(size)) std::abort();
  if (bitmap.empty()) return 0;
  for (int y = 0; y < bitmap.height(); y += 7) (void)bitmap.pixelColor(bitmap.width() - 1, y);

  const std::vector<uint8_t> bmp = bitmap.toBmp();
  base::ConstMemoryStream again(bmp.data(), bmp.size());
  base::Bitmap copy;
  copy.loadFromStream(again);
  if (copy.width() != bitmap.width() || copy.height() != bitmap.height() || copy.format() != bitmap.format() ||
      copy.bits() != bitmap.bits() || copy.palette() != bitmap.palette() ||
      again.position() != static_cast<int64_t>(bmp.size()))
    std::abort();
  return 0;
}
