// Quillory Album: the desktop program.
#include <iostream>

#include "app/CommandLine.h"
#include "app/MainForm.h"
#include "forms/Application.h"
#include "forms/Dialogs.h"

int main(int argc, char** argv) {
  // Help and version need no display: answered before the application looks for one.
  if (const auto status = app::answerInfoOption({argv, argv + argc}, std::cout)) return *status;
  forms::TApplication application(argc, argv, app::kApplicationTitle);
  forms::SystemUserInterface ui{app::kApplicationTitle};
  // QuilloryAlbum FOLDER starts with that Palm folder's users; QuilloryAlbum FILE.pdb shows that picture.
  // The arguments as the system's bytes (the toolkit has taken its own options out): a file name need not be UTF-8.
  const std::vector<std::string> arguments(argv, argv + argc);
  // The desktop entry starts one window per file.
  if (const auto status = app::refuseExtraPaths(arguments.size() - 1, std::cerr)) return *status;
  const forms::ComponentPtr<app::TMainForm> window(new app::TMainForm(ui, app::TMainForm::startUpSource(arguments)));
  window->openArguments(arguments);
  window->Show();
  return application.Run();
}
