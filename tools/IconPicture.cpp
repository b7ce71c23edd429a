#include "tools/IconPicture.h"

#include <QPainter>
#include <QPolygon>

namespace tools {

void paintProgramIcon(QPainter& p) {
  p.setPen(QColor(90, 50, 10));
  p.setBrush(QColor(190, 120, 40));
  p.drawRect(1, 3, 29, 25);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(166, 202, 240));
  p.drawRect(4, 6, 24, 20);
  p.setBrush(QColor(255, 220, 0));
  p.drawEllipse(19, 8, 6, 6);
  p.setBrush(QColor(60, 170, 60));
  p.drawRect(4, 20, 24, 6);
  p.setBrush(QColor(220, 40, 40));
  p.drawPolygon(QPolygon({QPoint(7, 15), QPoint(12, 10), QPoint(17, 15)}));
  p.setBrush(QColor(250, 250, 250));
  p.drawRect(8, 15, 8, 7);
  p.setBrush(QColor(40, 80, 200));
  p.drawRect(11, 18, 2, 4);
}

}  // namespace tools
