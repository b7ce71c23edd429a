#include "forms/QtTypes_qt.h"

#include <QWidget>
#include <algorithm>

namespace forms {

QColor toQColor(TColor color, const QPalette& palette) {
  switch (color) {
    case clBtnFace: return palette.color(QPalette::Button);
    case clWindowText: return palette.color(QPalette::WindowText);
    case clWindow: return palette.color(QPalette::Base);
    default: break;
  }
  if (color > 0x00FFFFFF) return palette.color(QPalette::Window);
  return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                static_cast<int>((color >> 16) & 0xFF));
}

QFont toQFont(const TFontInfo& info) {
  QFont font(QString::fromStdString(info.name));
  font.setPixelSize(std::max(1, info.pixels));
  font.setBold(info.bold);
  font.setItalic(info.italic);
  font.setUnderline(info.underline);
  font.setStrikeOut(info.strikeOut);
  return font;
}

QColor shadowColor(const QWidget* widget) { return widget->palette().color(QPalette::Dark); }

QColor highlightColor(const QWidget* widget) { return widget->palette().color(QPalette::Light); }

void setPaletteColor(QWidget& widget, QPalette::ColorRole role, TColor color) {
  QPalette palette = widget.palette();
  palette.setColor(role, toQColor(color, widget.palette()));
  widget.setPalette(palette);
}

}  // namespace forms
