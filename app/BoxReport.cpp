#include "app/BoxReport.h"

#include "base/Text.h"
#include "forms/WaitCursor.h"

namespace app {

namespace {

// Shows a box with the text (UTF-8 where valid, else Windows-1252) without the wait cursor.
void showBox(void (forms::UserInterface::*box)(const std::string&), forms::UserInterface& ui,
             const std::string& text) {
  const forms::WaitCursorLifted lifted;
  (ui.*box)(base::fileNameToUtf8(text));
}

}  // namespace

void BoxReport::message(const std::string& text) { showBox(&forms::UserInterface::showMessage, ui_, text); }
void BoxReport::error(const std::string& text) { showBox(&forms::UserInterface::showError, ui_, text); }
void BoxReport::stop(const std::string& text) { showBox(&forms::UserInterface::showStop, ui_, text); }

}  // namespace app
