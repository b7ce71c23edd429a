// What the Win32 sources of forms/ share with <windows.h>: texts, colours,
// fonts and bitmaps as the W functions and the GDI take them, the sizing of
// top-level windows, the wait cursor's state and the keeping of exceptions
// that must not cross the system's frames.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <string>

#include "base/Bitmap.h"
#include "forms/Graphics.h"
#include "forms/Window_win32.h"

namespace forms::native {

// What an attached control posts to its parent to be handled once the message
// at hand is done (lParam: the control); the parent passes it to Notified.
constexpr UINT kDeferredNotice = WM_APP + 1;

// UTF-8 to UTF-16 and back; the system's ANSI code page for the A functions.
std::wstring toWide(const std::string& utf8);
std::string toUtf8(const std::wstring& text);
std::string toAnsi(const std::string& utf8);

// A window's text (its caption) as UTF-8.
std::string windowText(HWND hwnd);
void setWindowText(HWND hwnd, const std::string& utf8);

// A colour value as the GDI takes it (system colours as the desktop has them).
COLORREF colorRef(TColor color);
// Brushes and fonts are made once per colour and font and kept for the run.
HBRUSH solidBrush(COLORREF color);
HFONT fontOf(const TFontInfo& font);
// The bitmap with its top-left corner at (x, y), every pixel a square of zoom x zoom device pixels.
void drawBitmap(HDC dc, int x, int y, const base::Bitmap& bitmap, int zoom = 1);

// Top-level windows: the outer size that gives this client size, and the place
// in the middle of the work area of the screen the window is on.
void resizeClient(HWND hwnd, int clientWidth, int clientHeight);
void centerOnWorkArea(HWND hwnd);

// Whether a wait cursor is shown (forms/WaitCursor.h): the windows keep it.
bool waitCursorShown();

// Keeps the exception being handled until the loop's Dispatch can raise it:
// an exception must not cross the system's frames of a window procedure.
void keepException();

// Runs a handler inside a window procedure, keeping what it raises.
template <typename F>
void guarded(F&& handler) {
  try {
    handler();
  } catch (...) {
    keepException();
  }
}

}  // namespace forms::native
