// What the Qt dialogs need of the neutral setup.
#pragma once

#include <QString>
#include <QStringList>

namespace forms {

// A filter of "text|pattern" pairs as a Qt name filter list; the text stays as
// given when its parentheses already hold the patterns, in any case.
QStringList qtNameFilters(const QString& filter);

}  // namespace forms
