// Build-time tools write their pictures through the program's one file writer,
// so an interrupted build never leaves a cut image behind.
#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QString>
#include <cstdio>
#include <exception>

#include "platform/FileWriter.h"

namespace tools {

inline bool saveBytes(const QByteArray& bytes, const QString& path) {
  try {
    platform::writeFileReplacing(path.toStdString(),
                                 [&bytes](base::Stream& out) { out.writeBuffer(bytes.constData(), static_cast<size_t>(bytes.size())); });
    return true;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return false;
  }
}

inline bool saveImage(const QImage& image, const QString& path, const char* format) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, format)) {
    std::fprintf(stderr, "Cannot encode %s\n", qPrintable(path));
    return false;
  }
  return saveBytes(bytes, path);
}

}  // namespace tools
