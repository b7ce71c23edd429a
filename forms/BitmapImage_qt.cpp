#include "forms/BitmapImage_qt.h"

#include <cstring>

namespace forms {

namespace {

// The palette padded with black to `size` entries, so that every index has a colour.
QList<QRgb> colorTable(const base::Bitmap& bitmap, qsizetype size) {
  QList<QRgb> colors;
  for (const base::RGBQuad& q : bitmap.palette()) {
    if (colors.size() == size) break;
    colors << qRgb(q.red, q.green, q.blue);
  }
  while (colors.size() < size) colors << qRgb(0, 0, 0);
  return colors;
}

QImage copyRows(const base::Bitmap& bitmap, QImage::Format format, size_t rowBytes) {
  QImage image(bitmap.width(), bitmap.height(), format);
  for (int y = 0; y < bitmap.height(); ++y) std::memcpy(image.scanLine(y), bitmap.scanLine(y), rowBytes);
  return image;
}

}  // namespace

QImage toQImage(const base::Bitmap& bitmap) {
  if (bitmap.empty()) return {};
  const auto width = static_cast<size_t>(bitmap.width());
  switch (bitmap.format()) {
    case base::PixelFormat::Indexed8: {
      QImage image = copyRows(bitmap, QImage::Format_Indexed8, width);
      image.setColorTable(colorTable(bitmap, 256));
      return image;
    }
    case base::PixelFormat::Indexed1: {
      QImage image = copyRows(bitmap, QImage::Format_Mono, (width + 7) / 8);
      image.setColorTable(colorTable(bitmap, 2));
      return image;
    }
    case base::PixelFormat::Rgb24:
      return copyRows(bitmap, QImage::Format_BGR888, width * 3);
    case base::PixelFormat::Indexed4:
    case base::PixelFormat::Rgb32:
      break;
  }
  QImage image(bitmap.width(), bitmap.height(), QImage::Format_RGB32);
  for (int y = 0; y < bitmap.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < bitmap.width(); ++x) {
      const uint32_t c = bitmap.pixelColor(x, y);
      line[x] = qRgb(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF), static_cast<int>((c >> 16) & 0xFF));
    }
  }
  return image;
}

}  // namespace forms
