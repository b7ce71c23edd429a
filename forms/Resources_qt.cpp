// Resources as Qt resources, under ":/" and their names.
#include <QFile>

#include "base/Errors.h"
#include "forms/Resources.h"

namespace forms {

std::string LoadDataResource(const std::string& name) {
  const std::string path = ":/" + name;
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) throw base::EFOpenError(path, file.errorString().toStdString() + ".");
  const QByteArray bytes = file.readAll();
  return bytes.toStdString();
}

}  // namespace forms
