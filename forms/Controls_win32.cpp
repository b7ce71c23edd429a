#include "forms/System_win32.h"

#include <windowsx.h>

#include <map>

#include "forms/Controls.h"
#include "forms/core/Messages.h"

namespace forms {

namespace {

// Paints with the GDI on the device context of a WM_PAINT or WM_PRINTCLIENT.
class Canvas : public TCanvas {
 public:
  explicit Canvas(HDC dc) : dc_(dc) {}

  void Draw(int x, int y, const base::Bitmap& bitmap) override { native::drawBitmap(dc_, x, y, bitmap); }

  void DottedFrame(const TRect& rect, TColor fill) override {
    const COLORREF color = native::colorRef(fill);
    HPEN pen = CreatePen(PS_DOT, 1, RGB(0, 0, 0));
    HGDIOBJ oldPen = SelectObject(dc_, pen);
    HGDIOBJ oldBrush = SelectObject(dc_, native::solidBrush(color));
    // The gaps between the dots show the fill.
    SetBkMode(dc_, OPAQUE);
    SetBkColor(dc_, color);
    Rectangle(dc_, rect.left, rect.top, rect.left + rect.width, rect.top + rect.height);
    SelectObject(dc_, oldBrush);
    SelectObject(dc_, oldPen);
    DeleteObject(pen);
  }

 private:
  HDC dc_;
};

TShiftState shiftState(WPARAM keys) {
  TShiftState shift = 0;
  if (keys & MK_SHIFT) shift |= ssShift;
  if (keys & MK_CONTROL) shift |= ssCtrl;
  if (keys & MK_LBUTTON) shift |= ssLeft;
  if (keys & MK_RBUTTON) shift |= ssRight;
  if (keys & MK_MBUTTON) shift |= ssMiddle;
  if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
  return shift;
}

// The system cursor of a class library cursor number; the arrow for those the system lacks.
LPCSTR systemCursor(int32_t cursor) {
  static const std::map<int32_t, LPCSTR> cursors = {
      {-3, IDC_CROSS},   {-4, IDC_IBEAM},  {-6, IDC_SIZENESW}, {-7, IDC_SIZENS},        {-8, IDC_SIZENWSE},
      {-9, IDC_SIZEWE},  {-10, IDC_UPARROW}, {-11, IDC_WAIT},  {-18, IDC_NO},           {-19, IDC_APPSTARTING},
      {-20, IDC_HELP},   {-21, IDC_HAND},  {-22, IDC_SIZEALL}, {-17, IDC_WAIT}};
  const auto it = cursors.find(cursor);
  return it != cursors.end() ? it->second : IDC_ARROW;
}

DWORD formStyle(const std::string& borderStyle) {
  return (borderStyle == "bsNone" ? WS_POPUP : WS_OVERLAPPEDWINDOW) | WS_CLIPCHILDREN;
}

// The window's rectangle in its parent's client area, or on the screen for a top-level window.
RECT windowBounds(HWND hwnd) {
  RECT r;
  GetWindowRect(hwnd, &r);
  if (GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CHILD) MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

BOOL CALLBACK collectEnabled(HWND hwnd, LPARAM list) {
  if (IsWindowEnabled(hwnd)) reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
  return TRUE;
}

BOOL CALLBACK setFont(HWND hwnd, LPARAM font) {
  SendMessageW(hwnd, WM_SETFONT, static_cast<WPARAM>(font), TRUE);
  return TRUE;
}

template <typename F>
struct AtExit {
  F f;
  ~AtExit() { f(); }
};
template <typename F>
AtExit(F) -> AtExit<F>;

}  // namespace

namespace native {

TControl& Control::control() { return static_cast<TControl&>(*this); }

Control::~Control() { FreeChildControls(); }

void Control::FreeChildControls() {
  while (hwnd_ != nullptr) {
    Control* child = nullptr;
    for (HWND h = GetWindow(hwnd_, GW_CHILD); h != nullptr && child == nullptr; h = GetWindow(h, GW_HWNDNEXT))
      child = dynamic_cast<Control*>(FromHandle(h));
    if (child == nullptr) return;
    HWND childWindow = child->hwnd_;
    TComponent::Free(&child->control());
    // A control already on its way out keeps its object a little longer: its window goes now.
    if (IsWindow(childWindow) && FromHandle(childWindow) == child) child->DestroyHandle();
  }
}

void Control::CreateChildWindow(HWND parent) {
  const DWORD style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | (visible_ ? WS_VISIBLE : 0) |
                      (enabled_ ? 0 : WS_DISABLED);
  CreateHandle(0, style, left_, top_, width_, height_, parent);
  for (TControl* child : control().children_)
    if (child->hwnd_ == nullptr) child->CreateChildWindow(hwnd_);
}

TColor Control::BackgroundColor() const {
  const auto* root = dynamic_cast<const Control*>(FromHandle(GetAncestor(hwnd_, GA_ROOT)));
  return root != nullptr ? root->color_ : clBtnFace;
}

void Control::Paint(HDC dc) {
  if (!control().PaintsItself()) return;
  Canvas canvas(dc);
  control().Paint(canvas);
}

bool Control::SetControlCursor() {
  if (cursor_ == 0) return false;
  SetCursor(cursor_ == -1 ? nullptr : LoadCursorA(nullptr, systemCursor(cursor_)));
  return true;
}

void Control::MouseButton(unsigned message, WordParam wParam, LongParam lParam) {
  const int x = GET_X_LPARAM(lParam);
  const int y = GET_Y_LPARAM(lParam);
  const TShiftState shift = shiftState(wParam);
  TControl& c = control();
  switch (message) {
    case WM_LBUTTONDBLCLK:
      c.DblClick();
      [[fallthrough]];
    case WM_LBUTTONDOWN:
      leftDown_ = true;
      SetCapture(hwnd_);
      c.MouseDown(TMouseButton::mbLeft, shift, x, y);
      // A handler that took the mouse away (the system move) leaves no click to come.
      if (GetCapture() != hwnd_) leftDown_ = false;
      break;
    case WM_LBUTTONUP: {
      const bool pressed = leftDown_;
      leftDown_ = false;
      if (GetCapture() == hwnd_) ReleaseCapture();
      RECT client;
      GetClientRect(hwnd_, &client);
      c.MouseUp(TMouseButton::mbLeft, shift, x, y);
      if (pressed && PtInRect(&client, POINT{x, y})) c.Click();
      break;
    }
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      c.MouseDown(TMouseButton::mbRight, shift, x, y);
      break;
    case WM_RBUTTONUP:
      c.MouseUp(TMouseButton::mbRight, shift, x, y);
      break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
      c.MouseDown(TMouseButton::mbMiddle, shift, x, y);
      break;
    case WM_MBUTTONUP:
      c.MouseUp(TMouseButton::mbMiddle, shift, x, y);
      break;
    default:
      break;
  }
}

MessageResult Control::WindowProc(unsigned message, WordParam wParam, LongParam lParam) {
  switch (message) {
    case WM_ERASEBKGND:
    case WM_PRINTCLIENT:
      // A control that paints itself paints its whole area: nothing is erased first.
      if (!control().PaintsItself()) {
        RECT client;
        GetClientRect(hwnd_, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, solidBrush(colorRef(BackgroundColor())));
      }
      if (message == WM_PRINTCLIENT) Paint(reinterpret_cast<HDC>(wParam));
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd_, &ps);
      Paint(dc);
      EndPaint(hwnd_, &ps);
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_MBUTTONUP:
      MouseButton(message, wParam, lParam);
      return 0;
    case WM_RBUTTONUP:
      // The default procedure turns it into WM_CONTEXTMENU.
      MouseButton(message, wParam, lParam);
      break;
    case WM_MOUSEMOVE:
      control().MouseMove(shiftState(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    case WM_CAPTURECHANGED:
      leftDown_ = false;
      return 0;
    case WM_CONTEXTMENU: {
      POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      // From the keyboard the point is (-1, -1): the menu belongs to the control's corner.
      if (lParam == -1)
        at = POINT{0, 0};
      else
        ScreenToClient(hwnd_, &at);
      bool handled = false;
      control().ContextPopup(TPoint{at.x, at.y}, handled);
      if (handled) return 0;
      break;
    }
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT && !waitCursorShown() && SetControlCursor()) return TRUE;
      break;
    case WM_CLOSE:
      if (auto* form = dynamic_cast<TForm*>(&control())) {
        form->Close();
        return 0;
      }
      break;
    default:
      break;
  }
  return Window::WindowProc(message, wParam, lParam);
}

}  // namespace native

TControl::TControl(TComponent* owner) : TComponent(owner) {}

void TControl::PlaceWindow(TControl* parent) {
  // A form's window stays a top-level window.
  if (dynamic_cast<TForm*>(this) != nullptr) return;
  HWND parentWindow = parent != nullptr ? parent->hwnd_ : nullptr;
  if (parentWindow == nullptr) {
    // Made again, with the windows of its children, once it is placed on a window again.
    DestroyHandle();
    return;
  }
  if (hwnd_ == nullptr) {
    CreateChildWindow(parentWindow);
    return;
  }
  ::SetParent(hwnd_, parentWindow);
  SetWindowPos(hwnd_, nullptr, left_, top_, width_, height_, SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(hwnd_, visible_ ? SW_SHOWNA : SW_HIDE);
}

void TControl::SetBounds(int left, int top, int width, int height) {
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  if (hwnd_ != nullptr) SetWindowPos(hwnd_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

int TControl::Left() const { return hwnd_ != nullptr ? windowBounds(hwnd_).left : left_; }

int TControl::Top() const { return hwnd_ != nullptr ? windowBounds(hwnd_).top : top_; }

int TControl::Width() const {
  if (hwnd_ == nullptr) return width_;
  const RECT r = windowBounds(hwnd_);
  return r.right - r.left;
}

int TControl::Height() const {
  if (hwnd_ == nullptr) return height_;
  const RECT r = windowBounds(hwnd_);
  return r.bottom - r.top;
}

bool TControl::Visible() const { return visible_; }

void TControl::SetVisible(bool visible) {
  visible_ = visible;
  if (hwnd_ == nullptr) return;
  const bool child = (GetWindowLongPtrW(hwnd_, GWL_STYLE) & WS_CHILD) != 0;
  ShowWindow(hwnd_, !visible ? SW_HIDE : child ? SW_SHOWNA : SW_SHOW);
}

bool TControl::Enabled() const { return enabled_; }

void TControl::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (hwnd_ != nullptr) EnableWindow(hwnd_, enabled);
}

void TControl::SetCursor(int32_t cursor) { cursor_ = cursor; }

void TControl::Repaint() {
  if (hwnd_ != nullptr) RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

TCustomControl::TCustomControl(TComponent* owner) : TControl(owner) {}

TForm::TForm(TComponent* owner) : TControl(owner) {
  visible_ = false;
  CreateHandle(0, formStyle(borderStyle_), CW_USEDEFAULT, CW_USEDEFAULT, 320, 240, nullptr);
}

std::string TForm::Caption() const { return native::windowText(hwnd_); }

void TForm::SetCaption(const std::string& caption) { native::setWindowText(hwnd_, caption); }

void TForm::SetBorderStyle(const std::string& style) {
  if (style != "bsNone" && style != "bsSizeable") throw EFilerError(msg::InvalidPropertyValue);
  if (style == borderStyle_) return;
  // The client area keeps its size; the frame around it changes.
  const int width = ClientWidth();
  const int height = ClientHeight();
  borderStyle_ = style;
  const LONG_PTR kept = GetWindowLongPtrW(hwnd_, GWL_STYLE) & (WS_VISIBLE | WS_DISABLED);
  SetWindowLongPtrW(hwnd_, GWL_STYLE, kept | static_cast<LONG_PTR>(formStyle(style)));
  SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  native::resizeClient(hwnd_, width, height);
}

int TForm::ClientWidth() const {
  RECT r;
  GetClientRect(hwnd_, &r);
  return r.right;
}

int TForm::ClientHeight() const {
  RECT r;
  GetClientRect(hwnd_, &r);
  return r.bottom;
}

void TForm::SetClientWidth(int v) { native::resizeClient(hwnd_, v, ClientHeight()); }

void TForm::SetClientHeight(int v) { native::resizeClient(hwnd_, ClientWidth(), v); }

void TForm::SetColor(TColor color) {
  color_ = color;
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void TForm::SetFont(const TFontInfo& font) {
  EnumChildWindows(hwnd_, setFont, reinterpret_cast<LPARAM>(native::fontOf(font)));
}

void TForm::CenterOnScreen() { native::centerOnWorkArea(hwnd_); }

void TForm::ShowModal() {
  HWND previous = GetActiveWindow();
  // Every other window of the program waits while the form is shown.
  disabled_.clear();
  EnumThreadWindows(GetCurrentThreadId(), collectEnabled, reinterpret_cast<LPARAM>(&disabled_));
  std::erase(disabled_, hwnd_);
  for (HWND w : disabled_) EnableWindow(w, FALSE);
  modal_ = true;
  modalEnded_ = false;
  const AtExit restore{[this, previous] {
    modal_ = false;
    // Enabled again before the form hides, so that the window before it becomes active again.
    for (HWND w : disabled_)
      if (IsWindow(w)) EnableWindow(w, TRUE);
    disabled_.clear();
    SetVisible(false);
    if (previous != nullptr && IsWindow(previous)) SetActiveWindow(previous);
  }};
  SetVisible(true);
  SetForegroundWindow(hwnd_);
  MSG message;
  while (!modalEnded_ && hwnd_ != nullptr) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == -1) break;
    if (got == 0) {
      // The program is ending: the outer loop ends too.
      PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    native::Window::Dispatch(message);
  }
}

void TForm::Close() {
  if (!modal_) {
    SetVisible(false);
    return;
  }
  modalEnded_ = true;
  // Wakes the modal loop, which hides the form.
  PostMessageW(hwnd_, WM_NULL, 0, 0);
}

bool TForm::Showing() const { return IsWindowVisible(hwnd_) != FALSE; }

void TForm::SetWindowRegion(const std::vector<TRect>& rectangles) {
  const BOOL redraw = IsWindowVisible(hwnd_);
  if (rectangles.empty()) {
    SetWindowRgn(hwnd_, nullptr, redraw);
    return;
  }
  // A window region is in window coordinates: the rectangles move by the client area's offset.
  POINT origin{0, 0};
  ClientToScreen(hwnd_, &origin);
  RECT outer;
  GetWindowRect(hwnd_, &outer);
  const int dx = origin.x - outer.left;
  const int dy = origin.y - outer.top;
  static_assert(sizeof(RGNDATAHEADER) == 2 * sizeof(RECT));
  std::vector<RECT> data(2 + rectangles.size());
  auto* header = reinterpret_cast<RGNDATAHEADER*>(data.data());
  header->dwSize = sizeof(RGNDATAHEADER);
  header->iType = RDH_RECTANGLES;
  header->nCount = static_cast<DWORD>(rectangles.size());
  header->nRgnSize = static_cast<DWORD>(rectangles.size() * sizeof(RECT));
  header->rcBound = RECT{0, 0, 0, 0};
  for (size_t i = 0; i < rectangles.size(); ++i) {
    const TRect& r = rectangles[i];
    data[2 + i] = RECT{r.left + dx, r.top + dy, r.left + dx + r.width, r.top + dy + r.height};
    UnionRect(&header->rcBound, &header->rcBound, &data[2 + i]);
  }
  HRGN region = ExtCreateRegion(nullptr, static_cast<DWORD>(data.size() * sizeof(RECT)),
                                reinterpret_cast<const RGNDATA*>(data.data()));
  if (region == nullptr) {
    // Too many rectangles for one call on some systems: joined one by one.
    region = CreateRectRgn(0, 0, 0, 0);
    for (size_t i = 2; i < data.size(); ++i) {
      HRGN part = CreateRectRgnIndirect(&data[i]);
      CombineRgn(region, region, part, RGN_OR);
      DeleteObject(part);
    }
  }
  // The window owns the region from here on.
  SetWindowRgn(hwnd_, region, redraw);
}

bool TForm::HasWindowRegion() const {
  HRGN probe = CreateRectRgn(0, 0, 0, 0);
  const int type = GetWindowRgn(hwnd_, probe);
  DeleteObject(probe);
  return type != ERROR;
}

void TForm::StartSystemMove() {
  ReleaseCapture();
  // The move command with the caption's hit code: the system moves the window until the button is released.
  SendMessageW(hwnd_, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
}

namespace native {

// The hidden window whose system timers tick the timers.
class TimerWindow : public Window {
 public:
  static TimerWindow& instance() {
    static TimerWindow window;
    return window;
  }

  void Start(Timer& timer, int milliseconds) {
    timer.id_ = nextId_++;
    timers_[timer.id_] = &timer;
    SetTimer(hwnd_, timer.id_, static_cast<UINT>(milliseconds), nullptr);
  }

  void Stop(Timer& timer) {
    KillTimer(hwnd_, timer.id_);
    timers_.erase(timer.id_);
    timer.id_ = 0;
  }

 protected:
  MessageResult WindowProc(unsigned message, WordParam wParam, LongParam lParam) override {
    if (message != WM_TIMER) return Window::WindowProc(message, wParam, lParam);
    const auto it = timers_.find(wParam);
    if (it != timers_.end()) {
      // A copy: the tick may stop or free its timer.
      const std::function<void()> tick = it->second->tick_;
      tick();
    }
    return 0;
  }

 private:
  TimerWindow() { CreateHandle(0, 0, 0, 0, 0, 0, HWND_MESSAGE); }

  std::map<std::uintptr_t, Timer*> timers_;
  std::uintptr_t nextId_ = 1;
};

Timer::Timer(std::function<void()> tick) : tick_(std::move(tick)) {}

Timer::~Timer() { Stop(); }

void Timer::Start(int milliseconds) {
  Stop();
  TimerWindow::instance().Start(*this, milliseconds);
}

void Timer::Stop() {
  if (id_ != 0) TimerWindow::instance().Stop(*this);
}

}  // namespace native

}  // namespace forms
