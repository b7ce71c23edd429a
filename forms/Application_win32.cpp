#include "forms/System_win32.h"

#include <commctrl.h>

#include "forms/Application.h"

namespace forms {

namespace native {

Application::Application() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
}

}  // namespace native

TApplication::TApplication(int&, char**, const std::string& title) { title_ = title; }

int TApplication::Run() {
  // Ends with WM_QUIT, which the main window posts when it is destroyed.
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) native::Window::Dispatch(message);
  return message.message == WM_QUIT ? static_cast<int>(message.wParam) : 0;
}

void TApplication::ProcessMessages() { native::Window::ProcessWaiting(); }

}  // namespace forms
