// A person at a window: mouse and key events go in through the window system
// layer (QTest on the widget's window), so open popups, focus and mouse grabs
// decide who receives them, as on a screen.
#pragma once

#include <QApplication>
#include <QTest>
#include <QWheelEvent>
#include <QWindow>

namespace person {

// Runs what the events just sent have queued (posted events, zero timers).
inline void settle() {
  for (int i = 0; i < 3; ++i) {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
  }
}

inline QWindow* windowOf(QWidget* widget) {
  QWidget* top = widget->window();
  top->winId();
  return top->windowHandle();
}

inline QPoint inWindow(QWidget* widget, QPoint pos) {
  QWindow* window = windowOf(widget);
  return window->mapFromGlobal(widget->mapToGlobal(pos));
}

inline void moveTo(QWidget* widget, QPoint pos) { QTest::mouseMove(windowOf(widget), inWindow(widget, pos)); }

// A left click at `pos` (the centre when null), after moving the mouse there.
inline void click(QWidget* widget, QPoint pos = {}) {
  if (pos.isNull()) pos = widget->rect().center();
  moveTo(widget, pos);
  QTest::mouseClick(windowOf(widget), Qt::LeftButton, Qt::NoModifier, inWindow(widget, pos));
  settle();
}

// A key typed into whatever has the keyboard: the focused window's focus widget or an open popup.
inline void type(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QWindow* window = QGuiApplication::focusWindow();
  if (QWidget* popup = QApplication::activePopupWidget()) window = windowOf(popup);
  QTest::keyClick(window, key, modifiers);
  settle();
}

// Mouse wheel notches over a widget (positive: away from the user). QTest has no
// wheel, so the event goes to the widget the pointer is over.
inline void wheel(QWidget* widget, int notches) {
  const QPointF pos = widget->rect().center();
  QWheelEvent event(pos, widget->mapToGlobal(pos), QPoint(), QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier,
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(widget, &event);
  settle();
}

// Shows the window and waits until the window system has it exposed and active.
inline bool showAndActivate(QWidget& window) {
  window.show();
  window.activateWindow();
  return QTest::qWaitForWindowExposed(&window) && QTest::qWaitForWindowActive(&window);
}

}  // namespace person
