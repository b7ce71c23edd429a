// The application object of the toolkit this build stands on: set up once in
// main, before any window, then running the message loop.
#pragma once

#include <string>

#if defined(QA_TOOLKIT_WIN32)
#include "forms/Application_win32.h"
#else
#include "forms/Application_qt.h"
#endif

namespace forms {

class TApplication : public native::Application {
 public:
  // `title` (UTF-8) captions plain message boxes and the task bar button.
  TApplication(int& argc, char** argv, const std::string& title);
  // Runs the message loop until the main window has closed; the exit status.
  int Run();
  // Handles the events that are waiting, then returns.
  static void ProcessMessages();
};

}  // namespace forms
