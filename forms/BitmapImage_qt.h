// A base::Bitmap as the QImage that Qt draws.
#pragma once

#include <QImage>

#include "base/Bitmap.h"

namespace forms {

// The picture with its palette; 8-bit, 24-bit and 1-bit rows are copied as they
// are stored, 4-bit and 32-bit pictures converted pixel by pixel.
QImage toQImage(const base::Bitmap& bitmap);

}  // namespace forms
