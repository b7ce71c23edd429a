// The wait cursor, shown over the whole program while a long operation runs.
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

// While it lives, the wait cursor of the operation around it is lifted: a box
// that asks the user something is up.
class WaitCursorLifted {
 public:
  WaitCursorLifted();
  ~WaitCursorLifted();
  WaitCursorLifted(const WaitCursorLifted&) = delete;
  WaitCursorLifted& operator=(const WaitCursorLifted&) = delete;
};

}  // namespace forms
