// The neutral colours and fonts as Qt has them.
#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>

#include "forms/Graphics.h"

namespace forms {

// A colour value; the system colours as the palette gives them.
QColor toQColor(TColor color, const QPalette& palette);
QFont toQFont(const TFontInfo& font);
// The colours of a lowered edge: its shadow and its highlight.
QColor shadowColor(const QWidget* widget);
QColor highlightColor(const QWidget* widget);
// Sets one colour of the widget's palette.
void setPaletteColor(QWidget& widget, QPalette::ColorRole role, TColor color);

}  // namespace forms
