#include "forms/FileNames_qt.h"

#include <QFile>
#include <QMimeData>
#include <QUrl>

#include "platform/Directory.h"
#include "platform/Files.h"

namespace forms {

namespace {

bool isSeparator(QChar c) { return c == QLatin1Char('/') || c == QLatin1Char(platform::kPathSeparator); }

// The entry of `folder` whose name Qt reads as `shown`; `shown` as bytes when not exactly one does.
std::string entryReadAs(const std::string& folder, const QString& shown) {
  std::string found;
  int matches = 0;
  for (const std::string& name : platform::listDirectory(folder.empty() ? "./" : folder, "*")) {
    if (QFile::decodeName(QByteArray::fromStdString(name)) != shown) continue;
    found = name;
    ++matches;
  }
  return matches == 1 ? found : QFile::encodeName(shown).toStdString();
}

#ifndef Q_OS_WIN
// The path of a file: URI, percent-decoded to bytes; empty for other URIs and other hosts.
std::string localFileOfUri(const QByteArray& uri) {
  if (!uri.toLower().startsWith("file:")) return {};
  QByteArray rest = uri.mid(5);
  if (rest.startsWith("//")) {
    const qsizetype pathStart = rest.indexOf('/', 2);
    if (pathStart < 0) return {};
    const QByteArray host = rest.mid(2, pathStart - 2).toLower();
    if (!host.isEmpty() && host != "localhost") return {};
    rest = rest.mid(pathStart);
  }
  if (!rest.startsWith('/')) return {};
  return QByteArray::fromPercentEncoding(rest).toStdString();
}
#endif

}  // namespace

std::string toFileName(const QString& path) {
  if (!path.contains(QChar::ReplacementCharacter)) return QFile::encodeName(path).toStdString();
  std::string resolved;
  qsizetype start = 0;
  while (start <= path.size()) {
    qsizetype end = start;
    while (end < path.size() && !isSeparator(path[end])) ++end;
    const QString part = path.mid(start, end - start);
    const std::string bytes = QFile::encodeName(part).toStdString();
    const bool exists = platform::fileExists(resolved + bytes) || platform::directoryExists(resolved + bytes);
    resolved += part.contains(QChar::ReplacementCharacter) && !exists ? entryReadAs(resolved, part) : bytes;
    if (end < path.size()) resolved += path[end].toLatin1();
    start = end + 1;
  }
  return resolved;
}

std::string droppedFileName(const QMimeData* data) {
  if (!data) return {};
#ifdef Q_OS_WIN
  // Windows hands a drop over as UTF-16 names: the system's own conversion gives the bytes.
  if (!data->hasUrls() || data->urls().isEmpty() || !data->urls().first().isLocalFile()) return {};
  return toFileName(data->urls().first().toLocalFile());
#else
  for (const QByteArray& line : data->data(QStringLiteral("text/uri-list")).split('\n')) {
    const QByteArray uri = line.trimmed();
    if (!uri.isEmpty() && !uri.startsWith('#')) return localFileOfUri(uri);
  }
  return {};
#endif
}

}  // namespace forms
