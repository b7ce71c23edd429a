// The Win32 side of the application object: the common controls set up, and
// the message loop that gives the main window its keyboard navigation and
// shortcuts first.
#pragma once

#include <string>

namespace forms::native {

class Application {
 protected:
  Application();
  std::string title_;
};

}  // namespace forms::native
