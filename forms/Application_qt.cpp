#include <QCoreApplication>

#include "forms/Application.h"

namespace forms {

TApplication::TApplication(int& argc, char** argv, const std::string& title) {
  application_ = std::make_unique<QApplication>(argc, argv);
  QApplication::setApplicationName(QString::fromStdString(title));
}

int TApplication::Run() { return QApplication::exec(); }

void TApplication::ProcessMessages() { QCoreApplication::processEvents(); }

}  // namespace forms
