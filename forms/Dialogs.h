// Message boxes, file dialogs and the shell's open of a document, behind one
// small interface: the program uses the system's (SystemUserInterface), tests
// answer a double of it. Texts are UTF-8; paths are the file system's bytes.
#pragma once

#include <optional>
#include <string>

namespace forms {

// What a file dialog is set up with before it is shown; empty fields keep the
// platform's defaults (no filter, the system's title).
struct FileDialogSetup {
  std::string initialFolder;
  std::string title;
  std::string filter;            // "Display text|pattern" pairs, joined by '|'
  std::string defaultExtension;  // appended to a name typed without one
  std::string fileName;          // proposed file name
};

// How the shell's attempt to open a document ended.
enum class OpenResult { Opened, AssociationIncomplete, Failed };

class UserInterface {
 public:
  virtual ~UserInterface() = default;

  // A notice: captioned with the application title, no icon, one OK button.
  virtual void showMessage(const std::string& text) = 0;
  // A failure box captioned "Error" with the error icon.
  virtual void showError(const std::string& text) = 0;
  // The general error handler's box: application title, stop icon; the text
  // gets a full stop when it lacks one.
  virtual void showStop(const std::string& text) = 0;

  // Modal file dialogs: the confirmed file's full path, or nothing on cancel.
  virtual std::optional<std::string> openFile(const FileDialogSetup& setup) = 0;
  virtual std::optional<std::string> saveFile(const FileDialogSetup& setup) = 0;
  // A modal folder dialog (initial folder and title used): the chosen folder, or nothing on cancel.
  virtual std::optional<std::string> chooseFolder(const FileDialogSetup& setup) = 0;

  // Opens `fileName` in `folder` with the program the system associates with it.
  virtual OpenResult openDocument(const std::string& folder, const std::string& fileName) = 0;
};

// The text of a stop box: `text` followed by a full stop unless it ends in one.
std::string withFullStop(const std::string& text);

// The folder a dialog opens in for a folder string with its trailing separator:
// the separator is dropped, except right after a drive letter and colon.
std::string dialogFolder(const std::string& folderWithSeparator);

// The real one: the toolkit's message boxes and file dialogs, and the shell.
class SystemUserInterface : public UserInterface {
 public:
  // `applicationTitle` (UTF-8) captions plain boxes.
  explicit SystemUserInterface(std::string applicationTitle);

  void showMessage(const std::string& text) override;
  void showError(const std::string& text) override;
  void showStop(const std::string& text) override;
  std::optional<std::string> openFile(const FileDialogSetup& setup) override;
  std::optional<std::string> saveFile(const FileDialogSetup& setup) override;
  std::optional<std::string> chooseFolder(const FileDialogSetup& setup) override;
  OpenResult openDocument(const std::string& folder, const std::string& fileName) override;

 private:
  std::string title_;
};

}  // namespace forms
