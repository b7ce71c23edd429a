// Feeds arbitrary bytes to the graphics stream reader. Whatever it accepts must
// write back to a stream that reads again to the same collection.
#include <cstdint>
#include <cstdlib>

#include "base/Errors.h"
#include "base/Stream.h"
#include "skin/VsGraphics.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  skin::TVsGraphics graphics;
  int notifications = 0;
  graphics.OnChange = [&](forms::TObject*) { ++notifications; };
  base::ConstMemoryStream in(data, size);
  try {
    graphics.ReadData(in);
  } catch (const base::Exception&) {
    if (graphics.UpdateCount() != 0) std::abort();
    return 0;
  }
  if (notifications != 1 || graphics.UpdateCount() != 0) std::abort();
  for (int32_t i = 0; i < graphics.Count(); ++i)
    if (graphics.IndexOf(graphics.Items(i)->Name()) > i) std::abort();

  base::MemoryStream first;
  graphics.SaveToStream(first);
  skin::TVsGraphics again;
  first.setPosition(0);
  again.LoadFromStream(first);
  base::MemoryStream second;
  again.SaveToStream(second);
  if (first.bytes() != second.bytes()) std::abort();
  return 0;
}
