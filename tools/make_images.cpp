// Draws the main window's images into resources/: the seven 16x16 tool bar and
// menu glyphs (PNG for Qt, 32-bit BMP for Win32), the 144x33 24-bit logo and
// the 32x32 256-colour program icon.
// Run by hand when a picture changes; its output is checked in.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QtEndian>
#include <cstdio>

#include "tools/IconPicture.h"
#include "tools/ImageFile.h"
#include "tools/Painting.h"

namespace {

using tools::drawBox;

QImage canvas(int w, int h) {
  QImage image(w, h, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  return image;
}

void folderGlyph(QPainter& p) {
  p.setPen(QColor(128, 96, 0));
  drawBox(p, QColor(255, 214, 90), 1, 4, 13, 10);
  p.drawRect(1, 2, 5, 2);
  p.setBrush(QColor(255, 236, 150));
  p.drawPolygon(QPolygon({QPoint(3, 7), QPoint(15, 7), QPoint(13, 14), QPoint(1, 14)}));
}

void diskGlyph(QPainter& p) {
  p.setPen(QColor(0, 0, 96));
  drawBox(p, QColor(40, 80, 200), 1, 1, 13, 13);
  drawBox(p, QColor(235, 235, 235), 4, 1, 7, 5);
  drawBox(p, QColor(0, 0, 96), 8, 2, 1, 3);
  drawBox(p, QColor(210, 210, 210), 3, 9, 9, 5);
}

void pencil(QPainter& p) {
  p.setPen(QColor(80, 40, 0));
  p.setBrush(QColor(250, 190, 40));
  p.drawPolygon(QPolygon({QPoint(15, 7), QPoint(9, 13), QPoint(7, 15), QPoint(8, 12), QPoint(14, 6)}));
}

void exitGlyph(QPainter& p) {
  p.setPen(QColor(90, 40, 20));
  drawBox(p, QColor(170, 100, 50), 2, 1, 8, 14);
  drawBox(p, QColor(255, 230, 0), 8, 8, 1, 1);
  p.setPen(QPen(QColor(200, 0, 0), 2));
  p.drawLine(9, 5, 15, 5);
  p.drawLine(13, 3, 15, 5);
  p.drawLine(13, 7, 15, 5);
}

void bookGlyph(QPainter& p) {
  p.setPen(QColor(0, 70, 0));
  drawBox(p, QColor(60, 160, 60), 2, 1, 11, 14);
  drawBox(p, QColor(Qt::white), 4, 3, 7, 3);
  p.setPen(QColor(0, 70, 0));
  p.drawLine(3, 13, 12, 13);
}

void infoGlyph(QPainter& p) {
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QColor(0, 0, 120));
  p.setBrush(QColor(70, 120, 230));
  p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawRect(7, 7, 2, 6);
  p.drawRect(7, 3, 2, 2);
}

void exportGlyph(QPainter& p) {
  for (int i = 2; i >= 0; --i) {
    p.setPen(QColor(60, 60, 60));
    p.setBrush(i == 0 ? QColor(255, 255, 255) : QColor(220, 220, 220));
    p.drawRect(1 + 2 * i, 1 + 2 * i, 9, 8);
  }
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 120, 0));
  p.drawEllipse(3, 3, 3, 3);
  p.setBrush(QColor(0, 150, 0));
  p.drawPolygon(QPolygon({QPoint(9, 10), QPoint(12, 10), QPoint(12, 8), QPoint(15, 12), QPoint(12, 16), QPoint(12, 14), QPoint(9, 14)}));
}

QImage glyph(int index) {
  QImage image = canvas(16, 16);
  QPainter p(&image);
  switch (index) {
    case 0: folderGlyph(p); break;
    case 1: diskGlyph(p); break;
    case 2: diskGlyph(p); pencil(p); break;
    case 3: exitGlyph(p); break;
    case 4: bookGlyph(p); break;
    case 5: infoGlyph(p); break;
    default: exportGlyph(p); break;
  }
  return image;
}

QImage logo() {
  QImage image(144, 33, QImage::Format_RGB888);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, 33);
  sky.setColorAt(0, QColor(255, 255, 255));
  sky.setColorAt(1, QColor(214, 232, 250));
  p.fillRect(image.rect(), sky);
  // A quill: a curved feather with a dark shaft.
  QPainterPath feather;
  feather.moveTo(4, 30);
  feather.cubicTo(8, 14, 18, 4, 28, 2);
  feather.cubicTo(24, 12, 16, 22, 4, 30);
  p.setPen(QPen(QColor(60, 40, 110), 1));
  p.setBrush(QColor(150, 110, 210));
  p.drawPath(feather);
  p.setPen(QPen(QColor(40, 20, 70), 1.5));
  p.drawLine(QPointF(3, 31), QPointF(24, 6));
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(19);
  font.setBold(true);
  p.setFont(font);
  p.setPen(QColor(128, 0, 128));
  p.drawText(QRect(31, 2, 100, 22), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Quillory"));
  font.setPixelSize(9);
  font.setBold(false);
  p.setFont(font);
  p.setPen(QColor(0, 0, 128));
  p.drawText(QRect(33, 22, 100, 10), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("software for kids"));
  return image;
}

QImage iconPicture() {
  QImage image = canvas(32, 32);
  QPainter p(&image);
  tools::paintProgramIcon(p);
  return image;
}

// A .ico file with one 32x32 image of 8 bits per pixel (256 colours) and its mask.
QByteArray icoFile(const QImage& picture) {
  const QImage indexed = picture.convertToFormat(QImage::Format_RGB32)
                             .convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
  const int size = 32;
  const int xorBytes = size * size;
  const int andStride = 4;  // 32 bits padded to 4 bytes
  const int andBytes = andStride * size;
  const int dibBytes = 40 + 256 * 4 + xorBytes + andBytes;
  QByteArray out;
  auto u16 = [&](quint16 v) { out.append(char(v & 0xFF)).append(char(v >> 8)); };
  auto u32 = [&](quint32 v) { u16(quint16(v & 0xFFFF)); u16(quint16(v >> 16)); };
  u16(0); u16(1); u16(1);  // icon directory: one image
  out.append(char(size)).append(char(size)).append(char(0)).append(char(0));
  u16(1); u16(8); u32(quint32(dibBytes)); u32(6 + 16);
  u32(40); u32(size); u32(size * 2); u16(1); u16(8); u32(0); u32(quint32(xorBytes + andBytes));
  u32(0); u32(0); u32(256); u32(0);
  for (int i = 0; i < 256; ++i) {
    const QRgb c = i < indexed.colorCount() ? indexed.color(i) : 0;
    out.append(char(qBlue(c))).append(char(qGreen(c))).append(char(qRed(c))).append(char(0));
  }
  for (int y = size - 1; y >= 0; --y) out.append(reinterpret_cast<const char*>(indexed.constScanLine(y)), size);
  for (int y = size - 1; y >= 0; --y) {
    quint32 bits = 0;
    for (int x = 0; x < size; ++x)
      if (qAlpha(picture.pixel(x, y)) < 128) bits |= 1u << (31 - x);
    out.append(char(bits >> 24)).append(char(bits >> 16)).append(char(bits >> 8)).append(char(bits));
  }
  return out;
}

// A 32-bit BMP file of the picture: bottom row first, each pixel blue, green,
// red and its alpha, not premultiplied (BI_RGB; Win32 cannot read PNG cheaply).
QByteArray bgraBmpFile(const QImage& picture) {
  const QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
  const quint32 pixelBytes = quint32(argb.width() * argb.height() * 4);
  QByteArray out;
  auto u16 = [&](quint16 v) { out.append(char(v & 0xFF)).append(char(v >> 8)); };
  auto u32 = [&](quint32 v) { u16(quint16(v & 0xFFFF)); u16(quint16(v >> 16)); };
  out.append("BM");
  u32(14 + 40 + pixelBytes); u16(0); u16(0); u32(14 + 40);
  u32(40); u32(quint32(argb.width())); u32(quint32(argb.height())); u16(1); u16(32); u32(0); u32(pixelBytes);
  u32(2835); u32(2835); u32(0); u32(0);  // 72 dots per inch
  for (int y = argb.height() - 1; y >= 0; --y)
    for (int x = 0; x < argb.width(); ++x) {
      const QRgb c = argb.pixel(x, y);
      out.append(char(qBlue(c))).append(char(qGreen(c))).append(char(qRed(c))).append(char(qAlpha(c)));
    }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("resources");
  bool ok = true;
  for (int i = 0; i < 7; ++i) {
    const QImage picture = glyph(i);
    ok &= tools::saveImage(picture, dir + QStringLiteral("/glyph%1.png").arg(i), "PNG");
    ok &= tools::saveBytes(bgraBmpFile(picture), dir + QStringLiteral("/glyph%1.bmp").arg(i));
  }
  ok &= tools::saveImage(logo(), dir + QStringLiteral("/logo.bmp"), "BMP");
  ok &= tools::saveBytes(icoFile(iconPicture()), dir + QStringLiteral("/QuilloryAlbum.ico"));
  return ok ? 0 : 1;
}
