#include "app/BoxReport.h"

#include <QApplication>

#include "base/Text.h"

namespace app {

namespace {

// Shows a box with the text (UTF-8 where valid, else Windows-1252) without the wait cursor.
void showBox(void (forms::UserInterface::*box)(const QString&), forms::UserInterface& ui, const std::string& text) {
  QApplication::restoreOverrideCursor();
  (ui.*box)(QString::fromStdString(base::fileNameToUtf8(text)));
  QApplication::setOverrideCursor(Qt::WaitCursor);
}

}  // namespace

void BoxReport::message(const std::string& text) { showBox(&forms::UserInterface::showMessage, ui_, text); }
void BoxReport::error(const std::string& text) { showBox(&forms::UserInterface::showError, ui_, text); }
void BoxReport::stop(const std::string& text) { showBox(&forms::UserInterface::showStop, ui_, text); }

}  // namespace app
