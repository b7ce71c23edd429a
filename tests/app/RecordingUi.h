// A user interface double: records every message box and answers every file
// dialog and document open from a script the test sets up.
#pragma once

#include <QApplication>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "forms/Dialogs.h"
#include "forms/FileNames_qt.h"

// Readable failures for Qt strings.
inline void PrintTo(const QString& s, std::ostream* out) { *out << '"' << s.toStdString() << '"'; }

struct Shown {
  std::string kind;  // "message", "error" or "stop"
  std::string text;
  bool operator==(const Shown&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Shown& s) { return out << s.kind << ": " << s.text; }

class RecordingUi : public forms::UserInterface {
 public:
  std::vector<Shown> shown;
  std::vector<forms::FileDialogSetup> openSetups, saveSetups, folderSetups;
  // What a person picks in a dialog, as Qt's dialog hands it over (turned into
  // the file system's bytes as the real dialogs do).
  std::deque<std::optional<QString>> fileAnswers;
  forms::OpenResult openResult = forms::OpenResult::Opened;
  std::vector<std::pair<std::string, std::string>> documents;
  bool waitCursorDuringBox = false;
  // The about boxes the window showed: the splash or not, and how many boxes came before.
  struct About {
    bool splash;
    size_t boxesBefore;
    bool operator==(const About&) const = default;
  };
  std::vector<About> abouts;
  std::function<void(bool)> aboutBox() {
    return [this](bool splash) { abouts.push_back({splash, shown.size()}); };
  }

  void showMessage(const std::string& text) override { record("message", text); }
  void showError(const std::string& text) override { record("error", text); }
  void showStop(const std::string& text) override { record("stop", forms::withFullStop(text)); }
  std::optional<std::string> openFile(const forms::FileDialogSetup& setup) override {
    openSetups.push_back(setup);
    return nextAnswer();
  }
  std::optional<std::string> saveFile(const forms::FileDialogSetup& setup) override {
    saveSetups.push_back(setup);
    return nextAnswer();
  }
  std::optional<std::string> chooseFolder(const forms::FileDialogSetup& setup) override {
    folderSetups.push_back(setup);
    return nextAnswer();
  }
  forms::OpenResult openDocument(const std::string& folder, const std::string& fileName) override {
    documents.emplace_back(folder, fileName);
    return openResult;
  }

  std::vector<Shown> take() { return std::exchange(shown, {}); }

 private:
  void record(const char* kind, const std::string& text) {
    if (QApplication::overrideCursor()) waitCursorDuringBox = true;
    shown.push_back({kind, text});
  }
  std::optional<std::string> nextAnswer() {
    std::optional<QString> answer;
    if (!fileAnswers.empty()) {
      answer.swap(fileAnswers.front());
      fileAnswers.pop_front();
    }
    if (!answer) return std::nullopt;
    return forms::toFileName(*answer);
  }
};
