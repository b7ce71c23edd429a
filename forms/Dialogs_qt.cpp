#include "forms/Dialogs.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QRegularExpression>
#include <QUrl>

#include "forms/core/Messages.h"

namespace forms {

QString withFullStop(const QString& text) {
  if (text.isEmpty() || text.endsWith(QLatin1Char('.'))) return text;
  return text + QLatin1Char('.');
}

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

QString dialogFolder(const QString& folderWithSeparator) {
  QString folder = folderWithSeparator;
  const bool afterDrive = folder.size() == 3 && folder[1] == QLatin1Char(':');
  if (!afterDrive && folder.size() > 1 && (folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\'))))
    folder.chop(1);
  return folder;
}

QtUserInterface::QtUserInterface(QString applicationTitle) : title_(std::move(applicationTitle)) {}

namespace {

void showBox(QMessageBox::Icon icon, const QString& caption, const QString& text) {
  // No parent: the box is centred on the screen and modal to the whole program.
  QMessageBox box(icon, caption, text, QMessageBox::Ok);
  box.exec();
}

// A file dialog of the given kind, set up and run; the chosen path, or nothing when cancelled.
std::optional<QString> runDialog(const FileDialogSetup& setup, QFileDialog::AcceptMode accept,
                                 QFileDialog::FileMode mode, QFileDialog::Options options = {}) {
  QFileDialog dialog;
  dialog.setAcceptMode(accept);
  dialog.setFileMode(mode);
  dialog.setOptions(options);
  if (!setup.initialFolder.isEmpty()) dialog.setDirectory(setup.initialFolder);
  if (!setup.title.isEmpty()) dialog.setWindowTitle(setup.title);
  if (!setup.filter.isEmpty()) {
    dialog.setNameFilters(qtNameFilters(setup.filter));
#ifndef Q_OS_WIN
    // Qt's own dialog matches file names regardless of case, as Windows does;
    // some native ones outside Windows would hide "*.BMP" under "*.bmp".
    dialog.setOption(QFileDialog::DontUseNativeDialog);
#endif
  }
  if (!setup.defaultExtension.isEmpty()) dialog.setDefaultSuffix(setup.defaultExtension);
  if (!setup.fileName.isEmpty()) dialog.selectFile(setup.fileName);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return QDir::toNativeSeparators(dialog.selectedFiles().first());
}

}  // namespace

void QtUserInterface::showMessage(const QString& text) { showBox(QMessageBox::NoIcon, title_, text); }

void QtUserInterface::showError(const QString& text) {
  showBox(QMessageBox::Critical, QString::fromLatin1(msg::ErrorCaption), text);
}

void QtUserInterface::showStop(const QString& text) { showBox(QMessageBox::Critical, title_, withFullStop(text)); }

std::optional<QString> QtUserInterface::openFile(const FileDialogSetup& setup) {
  return runDialog(setup, QFileDialog::AcceptOpen, QFileDialog::ExistingFile);
}

std::optional<QString> QtUserInterface::saveFile(const FileDialogSetup& setup) {
  return runDialog(setup, QFileDialog::AcceptSave, QFileDialog::AnyFile, QFileDialog::DontConfirmOverwrite);
}

std::optional<QString> QtUserInterface::chooseFolder(const FileDialogSetup& setup) {
  return runDialog(setup, QFileDialog::AcceptOpen, QFileDialog::Directory, QFileDialog::ShowDirsOnly);
}

OpenResult QtUserInterface::openDocument(const QString& folder, const QString& fileName) {
  const QString path = QDir(folder).filePath(fileName);
  if (!QFileInfo(path).isFile()) return OpenResult::Failed;
  return QDesktopServices::openUrl(QUrl::fromLocalFile(path)) ? OpenResult::Opened : OpenResult::Failed;
}

}  // namespace forms
