// Quillory Album: the desktop program.
#include <QApplication>

#include "app/MainForm.h"
#include "forms/Dialogs.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QString::fromLatin1(app::kApplicationTitle));
  forms::QtUserInterface ui{QString::fromLatin1(app::kApplicationTitle)};
  // QuilloryAlbum FOLDER starts with that Palm folder's users; QuilloryAlbum FILE.pdb shows that picture.
  // The arguments as the system's bytes (Qt has taken its own options out): a file name need not be UTF-8.
  const std::vector<std::string> arguments(argv, argv + argc);
  const forms::ComponentPtr<app::TMainForm> window(new app::TMainForm(ui, app::TMainForm::startUpSource(arguments)));
  window->openArguments(arguments);
  window->show();
  return QApplication::exec();
}
