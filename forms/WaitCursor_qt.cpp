#include "forms/WaitCursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace forms {

WaitCursor::WaitCursor() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }

WaitCursor::~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }

WaitCursorLifted::WaitCursorLifted() { QGuiApplication::restoreOverrideCursor(); }

WaitCursorLifted::~WaitCursorLifted() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }

}  // namespace forms
