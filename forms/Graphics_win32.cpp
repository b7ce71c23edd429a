// Colours, brushes, fonts and bitmaps as the GDI has them.
#include <algorithm>
#include <map>
#include <tuple>

#include "forms/System_win32.h"

namespace forms::native {

COLORREF colorRef(TColor color) {
  // System colours carry 0xFF in their top byte and the system's index in their low byte.
  if ((color >> 24) == 0xFF) return GetSysColor(static_cast<int>(color & 0xFF));
  return color & 0x00FFFFFF;
}

HBRUSH solidBrush(COLORREF color) {
  static std::map<COLORREF, HBRUSH> brushes;
  HBRUSH& brush = brushes[color];
  if (brush == nullptr) brush = CreateSolidBrush(color);
  return brush;
}

HFONT fontOf(const TFontInfo& font) {
  using Key = std::tuple<std::string, int, bool, bool, bool, bool>;
  static std::map<Key, HFONT> fonts;
  HFONT& handle = fonts[Key{font.name, font.pixels, font.bold, font.italic, font.underline, font.strikeOut}];
  if (handle == nullptr)
    // A negative height asks for that character height in pixels.
    handle = CreateFontW(-font.pixels, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, font.italic, font.underline,
                         font.strikeOut, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                         DEFAULT_PITCH | FF_DONTCARE, toWide(font.name).c_str());
  return handle;
}

void drawBitmap(HDC dc, int x, int y, const base::Bitmap& bitmap, int zoom) {
  if (bitmap.empty()) return;
  // The rows are kept as a DIB keeps them: they go to the device as they are.
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colors[256];
  } info{};
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biWidth = bitmap.width();
  info.header.biHeight = bitmap.height();
  info.header.biPlanes = 1;
  info.header.biBitCount = static_cast<WORD>(bitmap.bitsPerPixel());
  info.header.biCompression = BI_RGB;
  if (base::isIndexed(bitmap.format())) {
    // Every index gets a colour: the palette padded with black.
    const size_t size = size_t{1} << bitmap.bitsPerPixel();
    const size_t count = std::min(size, bitmap.palette().size());
    for (size_t i = 0; i < count; ++i) {
      const base::RGBQuad& q = bitmap.palette()[i];
      info.colors[i] = RGBQUAD{q.blue, q.green, q.red, 0};
    }
    info.header.biClrUsed = static_cast<DWORD>(size);
  }
  // Whole pixels, never blended.
  const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
  StretchDIBits(dc, x, y, bitmap.width() * zoom, bitmap.height() * zoom, 0, 0, bitmap.width(), bitmap.height(),
                bitmap.bits().data(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, SRCCOPY);
  SetStretchBltMode(dc, oldMode);
}

}  // namespace forms::native
