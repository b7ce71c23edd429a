// What the program carries inside itself: bitmaps and data files, by name
// ("logo.bmp", "About.qfd"); Qt resources or Win32 RCDATA resources.
#pragma once

#include <string>

#include "base/Bitmap.h"

namespace forms {

// The bytes of the resource; raises EFOpenError naming it when it is missing.
std::string LoadDataResource(const std::string& name);
// The bitmap of a BMP resource.
base::Bitmap LoadBitmapResource(const std::string& name);

}  // namespace forms
