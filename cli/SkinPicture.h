// The picture a skin command names: one entry of a graphics stream file.
#pragma once

#include <string>

#include "base/Bitmap.h"
#include "skin/VsGraphics.h"

namespace cli {

// A picture name from the command line as the file holds it (Windows-1252);
// raises base::Exception naming it when the code page cannot hold it.
std::string skinPictureName(const std::string& name);

// Loads the graphics stream file into `graphics` and gives the picture of the
// entry named `name` (in the system's text); when there is none, prints
// "No picture named ..." and gives nullptr.
const base::Bitmap* findSkinPicture(skin::TVsGraphics& graphics, const std::string& file, const std::string& name);

}  // namespace cli
