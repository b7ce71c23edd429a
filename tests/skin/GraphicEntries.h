// Named pictures put into the skin's picture collections, as the tests fill them.
#pragma once

#include <string>

#include "base/Bitmap.h"
#include "skin/VsGraphics.h"

namespace skin_test {

// Appends a copy of `bitmap` named `name` to `graphics`.
inline void addGraphic(skin::TVsGraphics& graphics, const std::string& name, const base::Bitmap& bitmap) {
  skin::TVsGraphic entry;
  entry.SetName(name);
  entry.Bitmap() = bitmap;
  graphics.Add(&entry);
}

}  // namespace skin_test
