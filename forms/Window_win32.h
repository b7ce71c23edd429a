// What every window of the Win32 side shares: an object that owns a window and
// receives its messages, and the loop step that gives a top-level window the
// first look at its keyboard messages. Without <windows.h>, which would rename
// identifiers of the whole program (RegisterClass, ...): the handles are the
// system's own handle types, declared here, and the message parameters are
// integers of the size the system gives them.
#pragma once

#include <cstdint>

struct HWND__;
struct HDC__;
struct tagMSG;

namespace forms::native {

using WindowHandle = HWND__*;
using DeviceContext = HDC__*;
using MessageResult = std::intptr_t;
using WordParam = std::uintptr_t;
using LongParam = std::intptr_t;

// A window and the object it belongs to (a window property leads from the one
// to the other). Windows of the own class send their messages to WindowProc;
// system controls (combo box, list box, static) are attached, so that their
// parent passes their notices to Notified. The object destroys its window; a
// window destroyed first leaves the object without one.
class Window {
 public:
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  virtual ~Window();

  WindowHandle Handle() const { return hwnd_; }
  static Window* FromHandle(WindowHandle hwnd);

  // One message of a loop: its top-level window's object looks at it first
  // (keyboard navigation, shortcuts), then it is translated and dispatched. An
  // exception that a handler raised comes out here.
  static void Dispatch(tagMSG& message);
  // Handles the waiting messages; false when WM_QUIT came (posted again for the outer loop).
  static bool ProcessWaiting();

 protected:
  Window() = default;
  // A window of the own class.
  void CreateHandle(unsigned long exStyle, unsigned long style, int left, int top, int width, int height,
                    WindowHandle parent);
  // A window of a system class, attached to this object.
  void CreateControl(const wchar_t* className, unsigned long exStyle, unsigned long style, WindowHandle parent);
  // Lets `hwnd` (a part of this object's control) lead to this object too, or no longer.
  void Attach(WindowHandle hwnd);
  static void Detach(WindowHandle hwnd);
  void DestroyHandle();

  virtual MessageResult WindowProc(unsigned message, WordParam wParam, LongParam lParam);
  // A notice of an attached control that its parent passes on; true when handled.
  virtual bool Notified(unsigned message, WordParam wParam, LongParam lParam, MessageResult& result);
  // A loop message for this top-level window, before it is dispatched; true when handled.
  virtual bool PreTranslate(tagMSG& message);
  MessageResult DefaultProc(unsigned message, WordParam wParam, LongParam lParam);

  WindowHandle hwnd_ = nullptr;

 private:
  friend struct WindowClass;
  bool PassNotice(WindowHandle from, unsigned message, WordParam wParam, LongParam lParam, MessageResult& result);
};

}  // namespace forms::native
