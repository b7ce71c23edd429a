// make-icons FOLDER: draws the program icon as PNG files for the desktop's
// icon theme, FOLDER/<n>x<n>/apps/quillory-album.png at each size it needs.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>

#include "tools/IconPicture.h"
#include "tools/ImageFile.h"

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "Usage: make-icons FOLDER\n");
    return 2;
  }
  const QString root = QString::fromLocal8Bit(argv[1]);
  for (const int size : {16, 32, 48, 128, 256}) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    // The shapes sit on whole pixels of the 32-pixel icon; other sizes get smooth edges.
    p.setRenderHint(QPainter::Antialiasing, size != 32);
    p.scale(size / 32.0, size / 32.0);
    tools::paintProgramIcon(p);
    p.end();
    const QString folder = root + QStringLiteral("/%1x%1/apps").arg(size);
    if (!QDir().mkpath(folder) || !tools::saveImage(image, folder + QStringLiteral("/quillory-album.png"), "PNG")) {
      std::fprintf(stderr, "Cannot write the %dx%d icon into %s\n", size, size, qPrintable(folder));
      return 1;
    }
  }
  return 0;
}
