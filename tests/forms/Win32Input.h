// What the Win32 side's tests share: the message loop run until something has
// happened, keys and mouse buttons sent as the system's own input, and a
// window's painting caught in a bitmap.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <functional>
#include <initializer_list>
#include <vector>

#include "forms/Application.h"

namespace win32test {

// Runs the program's message loop until `done` holds; false when it still did not after the time.
inline bool runUntil(const std::function<bool()>& done, int milliseconds = 5000) {
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(milliseconds);
  while (!done()) {
    if (GetTickCount64() > end) return false;
    forms::TApplication::ProcessMessages();
    Sleep(2);
  }
  return true;
}

inline void runFor(int milliseconds) {
  runUntil([] { return false; }, milliseconds);
}

inline INPUT keyInput(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

// Presses the keys in this order and releases them the other way round ({VK_CONTROL, 'G'}
// is Ctrl+G) to whatever has the focus, then lets the loop handle them.
inline void press(std::initializer_list<WORD> keys) {
  std::vector<INPUT> input;
  for (WORD key : keys) input.push_back(keyInput(key, false));
  for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) input.push_back(keyInput(*key, true));
  SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
  runFor(60);
}

// Presses and releases each key in turn, all given to the system at once.
inline void type(std::initializer_list<WORD> keys) {
  std::vector<INPUT> input;
  for (WORD key : keys) {
    input.push_back(keyInput(key, false));
    input.push_back(keyInput(key, true));
  }
  SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
  runFor(60);
}

inline void mouseButton(DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  SendInput(1, &input, sizeof(INPUT));
  runFor(40);
}

inline void moveTo(HWND window, POINT at) {
  ClientToScreen(window, &at);
  SetCursorPos(at.x, at.y);
  runFor(20);
}

// A press of the button at one point of the window's client area and its release at another.
inline void drag(HWND window, POINT from, POINT to, bool right = false) {
  moveTo(window, from);
  mouseButton(right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
  moveTo(window, to);
  mouseButton(right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP);
}

inline void click(HWND window, POINT at, bool right = false) { drag(window, at, at, right); }

// What is painted into a 32-bit bitmap of that size, as the pixels are read back.
class Capture {
 public:
  Capture(int width, int height, const std::function<void(HDC)>& paint) : width_(width) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    paint(dc);
    GdiFlush();
    const auto* pixels = static_cast<const uint32_t*>(bits);
    pixels_.assign(pixels, pixels + static_cast<size_t>(width) * static_cast<size_t>(height));
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }

  // The window's client area as the window paints it (WM_PRINTCLIENT), without its child windows.
  explicit Capture(HWND window) : Capture(clientWidth(window), clientHeight(window), [window](HDC dc) {
      SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
    }) {}

  COLORREF at(int x, int y) const {
    const uint32_t p = pixels_.at(static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x));
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }

 private:
  static int clientWidth(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    return client.right;
  }
  static int clientHeight(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    return client.bottom;
  }

  int width_ = 0;
  std::vector<uint32_t> pixels_;
};

}  // namespace win32test
