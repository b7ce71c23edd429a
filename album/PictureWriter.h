// Writing a decoded picture as a BMP file laid out exactly as its template.
#pragma once

#include <string>

#include "base/Bitmap.h"

namespace album {

// Writes the picture to `path` through platform::FileWriter, replacing an
// existing file without asking. Raises "Cannot create file "%s". %s" when the
// file cannot be written; an existing file is then left as it was.
void writePicture(const base::Bitmap& picture, const std::string& path);

}  // namespace album
