// Quillory Album: the desktop program.
#include <QApplication>

#include "app/MainForm.h"
#include "forms/Dialogs.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QString::fromLatin1(app::kApplicationTitle));
  forms::QtUserInterface ui{QString::fromLatin1(app::kApplicationTitle)};
  app::TMainForm window(ui);
  window.show();
  return QApplication::exec();
}
