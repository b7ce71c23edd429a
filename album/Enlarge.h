// Scaling a picture by whole pixels: enlarged for printing, fitted into a
// square for a thumbnail.
#pragma once

#include "base/Bitmap.h"

namespace album {

inline constexpr int kMaxScale = 8;

// `picture` with every pixel repeated `factor` times across and down (1 to
// kMaxScale), with the same palette and header fields; factor 1 returns a copy.
base::Bitmap enlarge(const base::Bitmap& picture, int factor);

// An 8-bit `picture` made `divisor` times smaller: each block of divisor x
// divisor pixels (fewer at the right and bottom edge) becomes one pixel of the
// index most of its non-white pixels have, white (index 0) only where the
// whole block is, so that thin strokes stay visible.
base::Bitmap reduce(const base::Bitmap& picture, int divisor);

// The largest picture whole pixels make of an 8-bit `picture` within `size` x
// `size` pixels: enlarged by the largest factor that fits (at most kMaxScale),
// else reduced by the smallest divisor that fits.
base::Bitmap fitWithin(const base::Bitmap& picture, int size);

}  // namespace album
