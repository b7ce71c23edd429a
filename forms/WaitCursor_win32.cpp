#include "forms/System_win32.h"

#include <vector>

#include "forms/WaitCursor.h"

namespace forms {

namespace {

// The cursors shown before each wait cursor that is still alive, the newest last.
std::vector<HCURSOR>& cursorsBefore() {
  static std::vector<HCURSOR> cursors;
  return cursors;
}

int& liftedCount() {
  static int lifted = 0;
  return lifted;
}

HCURSOR waitCursor() { return LoadCursorA(nullptr, IDC_WAIT); }

}  // namespace

// Shown at once, as the busy window handles no messages; the windows keep it while it lives.
WaitCursor::WaitCursor() { cursorsBefore().push_back(SetCursor(waitCursor())); }

WaitCursor::~WaitCursor() {
  SetCursor(cursorsBefore().back());
  cursorsBefore().pop_back();
}

WaitCursorLifted::WaitCursorLifted() {
  ++liftedCount();
  if (!cursorsBefore().empty()) SetCursor(cursorsBefore().front());
}

WaitCursorLifted::~WaitCursorLifted() {
  --liftedCount();
  if (native::waitCursorShown()) SetCursor(waitCursor());
}

bool native::waitCursorShown() { return !cursorsBefore().empty() && liftedCount() == 0; }

}  // namespace forms
