// mainform_screenshot [--gallery] OUT.png [ENTRY]: starts the main window on the
// Palm Desktop that QUILLORY_REGISTRY names, selects ENTRY (else the first
// picture) of the first user, and saves a picture of the window, or with
// --gallery of the gallery of that user. Messages go to standard error.
#include <QApplication>
#include <QListWidget>
#include <QPixmap>
#include <QTimer>
#include <cstdio>

#include "forms/StdCtrls.h"
#include "app/Gallery.h"
#include "app/MainForm.h"

namespace {

class PrintingUi : public forms::UserInterface {
 public:
  void showMessage(const std::string& text) override { print("message", text); }
  void showError(const std::string& text) override { print("error", text); }
  void showStop(const std::string& text) override { print("stop", forms::withFullStop(text)); }
  std::optional<std::string> openFile(const forms::FileDialogSetup&) override { return std::nullopt; }
  std::optional<std::string> saveFile(const forms::FileDialogSetup&) override { return std::nullopt; }
  std::optional<std::string> chooseFolder(const forms::FileDialogSetup&) override { return std::nullopt; }
  forms::OpenResult openDocument(const std::string&, const std::string&) override { return forms::OpenResult::Failed; }

 private:
  static void print(const char* kind, const std::string& text) { std::fprintf(stderr, "%s: %s\n", kind, text.c_str()); }
};

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  const bool gallery = argc > 1 && QByteArray(argv[1]) == "--gallery";
  if (gallery) {
    --argc;
    ++argv;
  }
  if (argc < 2) {
    std::fprintf(stderr, "Usage: mainform_screenshot [--gallery] OUT.png [ENTRY]\n");
    return 1;
  }
  PrintingUi ui;
  const forms::ComponentPtr<app::TMainForm> window(new app::TMainForm(ui));
  const QString entry = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
  const auto found = window->ListBox1->findItems(entry, Qt::MatchExactly);
  if (!found.isEmpty())
    window->ListBox1->setCurrentItem(found.first());
  else if (window->ListBox1->count() > 0)
    window->ListBox1->setCurrentRow(0);
  window->show();
  QWidget* shown = window.get();
  if (gallery) {
    window->Gallery1->trigger();
    shown = window->gallery();
  }
  const QString out = QString::fromLocal8Bit(argv[1]);
  bool saved = false;
  QTimer::singleShot(500, window.get(), [&] {
    saved = shown->grab().save(out, "PNG");
    application.quit();
  });
  QApplication::exec();
  return saved ? 0 : 1;
}
