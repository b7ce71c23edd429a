#include "tools/IconPicture.h"

#include <QPainter>
#include <QPolygon>

#include "tools/Painting.h"

namespace tools {

void paintProgramIcon(QPainter& p) {
  p.setPen(QColor(90, 50, 10));
  drawBox(p, QColor(190, 120, 40), 1, 3, 29, 25);
  p.setPen(Qt::NoPen);
  drawBox(p, QColor(166, 202, 240), 4, 6, 24, 20);
  p.setBrush(QColor(255, 220, 0));
  p.drawEllipse(19, 8, 6, 6);
  drawBox(p, QColor(60, 170, 60), 4, 20, 24, 6);
  p.setBrush(QColor(220, 40, 40));
  p.drawPolygon(QPolygon({QPoint(7, 15), QPoint(12, 10), QPoint(17, 15)}));
  drawBox(p, QColor(250, 250, 250), 8, 15, 8, 7);
  drawBox(p, QColor(40, 80, 200), 11, 18, 2, 4);
}

}  // namespace tools
