// What the hand-drawn pictures of the tools share.
#pragma once

#include <QColor>
#include <QPainter>

namespace tools {

// A rectangle filled with `fill` and outlined with the painter's pen.
inline void drawBox(QPainter& p, const QColor& fill, int x, int y, int width, int height) {
  p.setBrush(fill);
  p.drawRect(x, y, width, height);
}

}  // namespace tools
