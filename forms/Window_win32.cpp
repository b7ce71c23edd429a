#include "forms/System_win32.h"

#include <exception>
#include <utility>

#include "base/Errors.h"

namespace forms::native {

namespace {

const wchar_t kClassName[] = L"QuilloryAlbumWindow";
const wchar_t kObjectProperty[] = L"QuilloryAlbum.Window";

std::exception_ptr& pendingException() {
  static std::exception_ptr pending;
  return pending;
}

void raisePending() {
  if (std::exception_ptr e = std::exchange(pendingException(), nullptr)) std::rethrow_exception(e);
}

[[noreturn]] void creationFailed() {
  throw base::Exception("Error creating window handle. " + base::systemErrorText(static_cast<int>(GetLastError())));
}

}  // namespace

std::wstring toWide(const std::string& utf8) {
  if (utf8.empty()) return {};
  const int size = static_cast<int>(utf8.size());
  std::wstring text(static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0)), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, text.data(), static_cast<int>(text.size()));
  return text;
}

namespace {

std::string fromWide(UINT codePage, const std::wstring& text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  std::string bytes(static_cast<size_t>(WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr)),
                    '\0');
  WideCharToMultiByte(codePage, 0, text.data(), size, bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr);
  return bytes;
}

}  // namespace

std::string toUtf8(const std::wstring& text) { return fromWide(CP_UTF8, text); }

std::string toAnsi(const std::string& utf8) { return fromWide(CP_ACP, toWide(utf8)); }

std::string windowText(HWND hwnd) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
  return toUtf8(text);
}

void setWindowText(HWND hwnd, const std::string& utf8) { SetWindowTextW(hwnd, toWide(utf8).c_str()); }

void resizeClient(HWND hwnd, int clientWidth, int clientHeight) {
  // Twice at most: a menu bar may wrap into another line at the new width.
  for (int pass = 0; pass < 2; ++pass) {
    RECT client;
    RECT outer;
    GetClientRect(hwnd, &client);
    GetWindowRect(hwnd, &outer);
    const int dx = clientWidth - client.right;
    const int dy = clientHeight - client.bottom;
    if (dx == 0 && dy == 0) return;
    SetWindowPos(hwnd, nullptr, 0, 0, outer.right - outer.left + dx, outer.bottom - outer.top + dy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void centerOnWorkArea(HWND hwnd) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoW(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), &monitor)) return;
  RECT outer;
  GetWindowRect(hwnd, &outer);
  const RECT& work = monitor.rcWork;
  const int width = outer.right - outer.left;
  const int height = outer.bottom - outer.top;
  SetWindowPos(hwnd, nullptr, work.left + (work.right - work.left - width) / 2,
               work.top + (work.bottom - work.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void keepException() {
  // The first one counts: what it left behind may raise more on the way out.
  if (!pendingException()) pendingException() = std::current_exception();
}

// The procedure of the own class, handing each message to the window's object.
struct WindowClass {
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  static ATOM Atom();
};

ATOM WindowClass::Atom() {
  static const ATOM atom = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &Procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    return RegisterClassExW(&wc);
  }();
  return atom;
}

LRESULT CALLBACK WindowClass::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    self->Attach(hwnd);
  }
  Window* self = Window::FromHandle(hwnd);
  if (self == nullptr || self->hwnd_ != hwnd) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    Window::Detach(hwnd);
    self->hwnd_ = nullptr;
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  MessageResult result = 0;
  guarded([&] { result = self->WindowProc(message, wParam, lParam); });
  return result;
}

Window::~Window() { DestroyHandle(); }

Window* Window::FromHandle(HWND hwnd) {
  return hwnd != nullptr ? static_cast<Window*>(GetPropW(hwnd, kObjectProperty)) : nullptr;
}

void Window::CreateHandle(unsigned long exStyle, unsigned long style, int left, int top, int width, int height,
                          HWND parent) {
  CreateWindowExW(exStyle, reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(WindowClass::Atom())), L"", style, left, top, width, height, parent, nullptr,
                  GetModuleHandleW(nullptr), this);
  if (hwnd_ == nullptr) creationFailed();
}

void Window::CreateControl(const wchar_t* className, unsigned long exStyle, unsigned long style, HWND parent) {
  HWND hwnd = CreateWindowExW(exStyle, className, L"", style, 0, 0, 0, 0, parent, nullptr, GetModuleHandleW(nullptr),
                              nullptr);
  if (hwnd == nullptr) creationFailed();
  hwnd_ = hwnd;
  Attach(hwnd);
}

void Window::Attach(HWND hwnd) { SetPropW(hwnd, kObjectProperty, this); }

void Window::Detach(HWND hwnd) { RemovePropW(hwnd, kObjectProperty); }

void Window::DestroyHandle() {
  if (hwnd_ == nullptr) return;
  // Detached first: the messages of its destruction no longer reach this object.
  HWND hwnd = std::exchange(hwnd_, nullptr);
  Detach(hwnd);
  DestroyWindow(hwnd);
}

MessageResult Window::DefaultProc(unsigned message, WordParam wParam, LongParam lParam) {
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

bool Window::PassNotice(HWND from, unsigned message, WordParam wParam, LongParam lParam, MessageResult& result) {
  Window* to = FromHandle(from);
  return to != nullptr && to != this && to->Notified(message, wParam, lParam, result);
}

MessageResult Window::WindowProc(unsigned message, WordParam wParam, LongParam lParam) {
  MessageResult result = 0;
  switch (message) {
    case WM_COMMAND:
      if (PassNotice(reinterpret_cast<HWND>(lParam), message, wParam, lParam, result)) return result;
      break;
    case WM_NOTIFY:
      if (PassNotice(reinterpret_cast<NMHDR*>(lParam)->hwndFrom, message, wParam, lParam, result)) return result;
      break;
    case WM_DRAWITEM:
      if (PassNotice(reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->hwndItem, message, wParam, lParam, result))
        return result;
      break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
    case kDeferredNotice:
      if (PassNotice(reinterpret_cast<HWND>(lParam), message, wParam, lParam, result)) return result;
      break;
    case WM_SETCURSOR:
      if (waitCursorShown() && LOWORD(lParam) == HTCLIENT) {
        SetCursor(LoadCursorA(nullptr, IDC_WAIT));
        return TRUE;
      }
      break;
    default:
      break;
  }
  return DefaultProc(message, wParam, lParam);
}

bool Window::Notified(unsigned, WordParam, LongParam, MessageResult&) { return false; }

bool Window::PreTranslate(MSG&) { return false; }

void Window::Dispatch(MSG& message) {
  Window* root = message.hwnd != nullptr ? FromHandle(GetAncestor(message.hwnd, GA_ROOT)) : nullptr;
  bool handled = false;
  if (root != nullptr) guarded([&] { handled = root->PreTranslate(message); });
  if (!handled) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  raisePending();
}

bool Window::ProcessWaiting() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return false;
    }
    Dispatch(message);
  }
  return true;
}

}  // namespace forms::native
