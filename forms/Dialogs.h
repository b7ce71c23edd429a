// Message boxes, file dialogs and the shell's open of a document, behind one
// small interface: the program uses the Qt one, tests answer a double of it.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

namespace forms {

// What a file dialog is set up with before it is shown; empty fields keep the
// platform's defaults (no filter, the system's title).
struct FileDialogSetup {
  QString initialFolder;
  QString title;
  QString filter;            // "Display text|pattern" pairs, joined by '|'
  QString defaultExtension;  // appended to a name typed without one
  QString fileName;          // proposed file name
};

// How the shell's attempt to open a document ended.
enum class OpenResult { Opened, AssociationIncomplete, Failed };

class UserInterface {
 public:
  virtual ~UserInterface() = default;

  // A notice: captioned with the application title, no icon, one OK button.
  virtual void showMessage(const QString& text) = 0;
  // A failure box captioned "Error" with the error icon.
  virtual void showError(const QString& text) = 0;
  // The general error handler's box: application title, stop icon; the text
  // gets a full stop when it lacks one.
  virtual void showStop(const QString& text) = 0;

  // Modal file dialogs: the confirmed file's full path, or nothing on cancel.
  virtual std::optional<QString> openFile(const FileDialogSetup& setup) = 0;
  virtual std::optional<QString> saveFile(const FileDialogSetup& setup) = 0;
  // A modal folder dialog (initial folder and title used): the chosen folder, or nothing on cancel.
  virtual std::optional<QString> chooseFolder(const FileDialogSetup& setup) = 0;

  // Opens `fileName` in `folder` with the program the system associates with it.
  virtual OpenResult openDocument(const QString& folder, const QString& fileName) = 0;
};

// The text of a stop box: `text` followed by a full stop unless it ends in one.
QString withFullStop(const QString& text);

// A filter of "text|pattern" pairs as a Qt name filter list; the text stays as
// given when its parentheses already hold the patterns, in any case.
QStringList qtNameFilters(const QString& filter);

// The folder a dialog opens in for a folder string with its trailing separator:
// the separator is dropped, except right after a drive letter and colon.
QString dialogFolder(const QString& folderWithSeparator);

// The real one: Qt message boxes and file dialogs, and QDesktopServices.
class QtUserInterface : public UserInterface {
 public:
  explicit QtUserInterface(QString applicationTitle);

  void showMessage(const QString& text) override;
  void showError(const QString& text) override;
  void showStop(const QString& text) override;
  std::optional<QString> openFile(const FileDialogSetup& setup) override;
  std::optional<QString> saveFile(const FileDialogSetup& setup) override;
  std::optional<QString> chooseFolder(const FileDialogSetup& setup) override;
  OpenResult openDocument(const QString& folder, const QString& fileName) override;

 private:
  QString title_;
};

}  // namespace forms
