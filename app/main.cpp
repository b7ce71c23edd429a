// Quillory Album: the desktop program.
#include <QApplication>

#include "app/MainForm.h"
#include "forms/Dialogs.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QString::fromLatin1(app::kApplicationTitle));
  forms::QtUserInterface ui{QString::fromLatin1(app::kApplicationTitle)};
  // QuilloryAlbum FOLDER starts with that Palm folder's users; QuilloryAlbum FILE.pdb shows that picture.
  std::vector<std::string> arguments;
  for (const QString& argument : QApplication::arguments()) arguments.push_back(argument.toLocal8Bit().toStdString());
  const forms::ComponentPtr<app::TMainForm> window(new app::TMainForm(ui, app::TMainForm::startUpSource(arguments)));
  window->openArguments(arguments);
  window->show();
  return QApplication::exec();
}
