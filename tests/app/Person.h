// A person at the main window: mouse and key events go in through the window
// system layer (QTest on the widget's window), so open popups, focus and mouse
// grabs decide who receives them, as on a screen.
#pragma once

#include <QAbstractItemView>
#include <QApplication>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

#include "app/Controls.h"
#include "app/MainForm.h"

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

// --- The main window's controls ------------------------------------------------

inline QWidget* userPopup(const app::TMainForm& f) { return f.UserBox->view()->window(); }

// Opens the user list's drop-down part with a click on the box.
inline bool openUserList(const app::TMainForm& f) {
  click(f.UserBox);
  return QTest::qWaitFor([&] { return userPopup(f)->isVisible(); }, 2000);
}

// Clicks item `row` in the open drop-down part, as the pointer reaches it.
inline void clickUserItem(const app::TMainForm& f, int row) {
  QAbstractItemView* view = f.UserBox->view();
  const QRect item = view->visualRect(view->model()->index(row, 0));
  moveTo(view->viewport(), item.center() + QPoint(-1, 0));
  click(view->viewport(), item.center());
}

inline QListWidgetItem* entry(const app::TMainForm& f, const QString& name) {
  const auto found = f.ListBox1->findItems(name, Qt::MatchExactly);
  return found.size() == 1 ? found.first() : nullptr;
}

// Clicks a list entry by its text; false when the list does not show it.
inline bool clickEntry(const app::TMainForm& f, const QString& name) {
  QListWidgetItem* item = entry(f, name);
  if (item == nullptr) return false;
  click(f.ListBox1->viewport(), f.ListBox1->visualItemRect(item).center());
  return true;
}

inline void clickToolButton(const app::TMainForm& f, const char* name) {
  click(f.findChild<QToolButton*>(QString::fromLatin1(name)));
}

// Opens `menu` from the menu bar with a click and clicks `item` in it.
inline void chooseMenuItem(app::TMainForm& f, QMenu* menu, QAction* item) {
  QMenuBar* bar = f.menuBar();
  click(bar, bar->actionGeometry(menu->menuAction()).center());
  if (!QTest::qWaitFor([&] { return menu->isVisible(); }, 2000)) return;
  click(menu, menu->actionGeometry(item).center());
}

}  // namespace person
