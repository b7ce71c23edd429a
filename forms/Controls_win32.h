// The Win32 side of the controls: a control's window is a child window made
// when the control is placed on a parent that has one; a form's is a top-level
// window made with the form. A timer is a system timer of a hidden window.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "forms/Graphics.h"
#include "forms/Window_win32.h"

namespace forms {
class TControl;
class TForm;

namespace native {

// The window of a TControl; it reports the window's messages to the control.
class Control : public Window {
 public:
  Control() = default;
  ~Control() override;

 protected:
  MessageResult WindowProc(unsigned message, WordParam wParam, LongParam lParam) override;

 private:
  friend class forms::TControl;
  friend class forms::TForm;

  TControl& control();
  // The child window on `parent`, and those of the child controls placed on this one meanwhile.
  void CreateChildWindow(WindowHandle parent);
  void MouseButton(unsigned message, WordParam wParam, LongParam lParam);
  void Paint(DeviceContext dc);
  bool SetControlCursor();
  TColor BackgroundColor() const;
  // Frees the controls whose windows sit on this one: they go before the window system would take their windows.
  void FreeChildControls();

  // Bounds in the parent's client area (a form's on the screen), kept while there is no window.
  int left_ = 0;
  int top_ = 0;
  int width_ = 0;
  int height_ = 0;
  bool visible_ = true;
  bool enabled_ = true;
  int32_t cursor_ = 0;
  bool leftDown_ = false;

  // A form's own: its background, the windows its modal loop disabled, and whether the loop is to end.
  TColor color_ = clBtnFace;
  std::vector<WindowHandle> disabled_;
  bool modal_ = false;
  bool modalEnded_ = false;
};

class Timer {
 public:
  explicit Timer(std::function<void()> tick);
  ~Timer();
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;
  void Start(int milliseconds);
  void Stop();

 private:
  friend class TimerWindow;
  std::function<void()> tick_;
  std::uintptr_t id_ = 0;
};

}  // namespace native
}  // namespace forms
