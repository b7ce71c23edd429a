// Enlarging a picture by whole pixels, for printing.
#pragma once

#include "base/Bitmap.h"

namespace album {

inline constexpr int kMaxScale = 8;

// `picture` with every pixel repeated `factor` times across and down (1 to
// kMaxScale), with the same palette and header fields; factor 1 returns a copy.
base::Bitmap enlarge(const base::Bitmap& picture, int factor);

}  // namespace album
