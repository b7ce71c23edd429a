#include "forms/Dialogs.h"
#include "forms/Dialogs_qt.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QRegularExpression>
#include <QUrl>

#include "base/Text.h"
#include "forms/FileNames_qt.h"
#include "forms/core/Messages.h"

namespace forms {

QStringList qtNameFilters(const QString& filter) {
  // Qt reads the patterns from the last parentheses of the text: patterns the
  // text lacks are added there. A pattern that differs from one in the text only
  // in case is not, as the dialog matches names regardless of case:
  // "Bmp Files (*.bmp)|*.BMP" stays "Bmp Files (*.bmp)".
  static const QRegularExpression trailingPatterns(QStringLiteral("\\s*\\(([^()]*)\\)\\s*$"));
  QStringList result;
  const QStringList parts = filter.split(QLatin1Char('|'));
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString text = parts[i];
    QStringList patterns;
    const auto match = trailingPatterns.match(text);
    if (match.hasMatch()) {
      patterns = match.captured(1).split(QRegularExpression(QStringLiteral("[;\\s]+")), Qt::SkipEmptyParts);
      text.truncate(match.capturedStart());
    }
    for (const QString& p : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts))
      if (!patterns.contains(p.trimmed(), Qt::CaseInsensitive)) patterns << p.trimmed();
    result << text + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
  }
  return result;
}

SystemUserInterface::SystemUserInterface(std::string applicationTitle) : title_(std::move(applicationTitle)) {}

namespace {

QString fromUtf8(const std::string& text) { return QString::fromStdString(text); }
// A file name for Qt: UTF-8 where valid, else Windows-1252.
QString fromFileName(const std::string& name) { return QString::fromStdString(base::fileNameToUtf8(name)); }

void showBox(QMessageBox::Icon icon, const std::string& caption, const std::string& text) {
  // No parent: the box is centred on the screen and modal to the whole program.
  QMessageBox box(icon, fromUtf8(caption), fromUtf8(text), QMessageBox::Ok);
  box.exec();
}

// A file dialog of the given kind, set up and run; the chosen path, or nothing when cancelled.
std::optional<std::string> runDialog(const FileDialogSetup& setup, QFileDialog::AcceptMode accept,
                                 QFileDialog::FileMode mode, QFileDialog::Options options = {}) {
  QFileDialog dialog;
  dialog.setAcceptMode(accept);
  dialog.setFileMode(mode);
  dialog.setOptions(options);
  if (!setup.initialFolder.empty()) dialog.setDirectory(fromFileName(setup.initialFolder));
  if (!setup.title.empty()) dialog.setWindowTitle(fromUtf8(setup.title));
  if (!setup.filter.empty()) {
    dialog.setNameFilters(qtNameFilters(fromUtf8(setup.filter)));
#ifndef Q_OS_WIN
    // Qt's own dialog matches file names regardless of case, as Windows does;
    // some native ones outside Windows would hide "*.BMP" under "*.bmp".
    dialog.setOption(QFileDialog::DontUseNativeDialog);
#endif
  }
  if (!setup.defaultExtension.empty()) dialog.setDefaultSuffix(fromUtf8(setup.defaultExtension));
  if (!setup.fileName.empty()) dialog.selectFile(fromFileName(setup.fileName));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return toFileName(QDir::toNativeSeparators(dialog.selectedFiles().first()));
}

}  // namespace

void SystemUserInterface::showMessage(const std::string& text) { showBox(QMessageBox::NoIcon, title_, text); }

void SystemUserInterface::showError(const std::string& text) {
  showBox(QMessageBox::Critical, msg::ErrorCaption, text);
}

void SystemUserInterface::showStop(const std::string& text) { showBox(QMessageBox::Critical, title_, withFullStop(text)); }

std::optional<std::string> SystemUserInterface::openFile(const FileDialogSetup& setup) {
  return runDialog(setup, QFileDialog::AcceptOpen, QFileDialog::ExistingFile);
}

std::optional<std::string> SystemUserInterface::saveFile(const FileDialogSetup& setup) {
  return runDialog(setup, QFileDialog::AcceptSave, QFileDialog::AnyFile, QFileDialog::DontConfirmOverwrite);
}

std::optional<std::string> SystemUserInterface::chooseFolder(const FileDialogSetup& setup) {
  return runDialog(setup, QFileDialog::AcceptOpen, QFileDialog::Directory, QFileDialog::ShowDirsOnly);
}

OpenResult SystemUserInterface::openDocument(const std::string& folder, const std::string& fileName) {
  const QString path = QDir(fromFileName(folder)).filePath(fromFileName(fileName));
  if (!QFileInfo(path).isFile()) return OpenResult::Failed;
  return QDesktopServices::openUrl(QUrl::fromLocalFile(path)) ? OpenResult::Opened : OpenResult::Failed;
}

}  // namespace forms
