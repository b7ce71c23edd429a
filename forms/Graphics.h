// What controls are drawn with, the same on every toolkit: colours, fonts,
// points and rectangles, mouse buttons and the canvas a control paints on.
#pragma once

#include <cstdint>
#include <string>

#include "base/Bitmap.h"
#include "forms/core/Colors.h"

namespace forms {

// 0x00BBGGRR, or a system colour (forms/core/Colors.h).
using TColor = uint32_t;
constexpr TColor rgbColor(uint8_t red, uint8_t green, uint8_t blue) {
  return static_cast<TColor>(red) | (static_cast<TColor>(green) << 8) | (static_cast<TColor>(blue) << 16);
}

struct TPoint {
  int x = 0;
  int y = 0;
};

struct TRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const TRect&) const = default;
};

struct TFontInfo {
  std::string name = "MS Sans Serif";
  int pixels = 11;  // character height
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  TColor color = clWindowText;
};

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

// Keys and buttons held during a mouse event.
enum TShiftFlag : unsigned { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32 };
using TShiftState = unsigned;

// The surface a control paints on while it paints.
class TCanvas {
 public:
  virtual ~TCanvas() = default;
  // The bitmap unscaled, its top-left corner at (x, y).
  virtual void Draw(int x, int y, const base::Bitmap& bitmap) = 0;
  // A rectangle outlined with a dotted black pen and filled with `fill`.
  virtual void DottedFrame(const TRect& rect, TColor fill) = 0;
};

}  // namespace forms
