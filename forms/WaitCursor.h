// The wait cursor as the application's override cursor while a long operation runs.
#pragma once

namespace forms {

// Shows the wait cursor while it lives; the cursor shown before comes back after.
class WaitCursor {
 public:
  WaitCursor();
  ~WaitCursor();
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace forms
