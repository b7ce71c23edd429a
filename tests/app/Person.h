// The main window's controls, driven as a person does (see Input.h).
#pragma once

#include <QAbstractItemView>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>

#include "Input.h"
#include "forms/StdCtrls.h"
#include "app/MainForm.h"

namespace person {

inline QWidget* userPopup(const app::TMainForm& f) { return f.UserBox->view()->window(); }

// Opens the user list's drop-down part with a click on the box.
inline bool openUserList(const app::TMainForm& f) {
  click(f.UserBox);
  return QTest::qWaitFor([&] { return userPopup(f)->isVisible(); }, 2000);
}

// Clicks item `row` in the open drop-down part. The point is near the item's
// left end, away from the click that opened the list: Qt takes a release close
// to that click, within the double-click time, as the end of the opening click.
inline void clickUserItem(const app::TMainForm& f, int row) {
  QAbstractItemView* view = f.UserBox->view();
  const QRect item = view->visualRect(view->model()->index(row, 0));
  const QPoint target(item.left() + 12, item.center().y());
  moveTo(view->viewport(), target + QPoint(1, 0));
  click(view->viewport(), target);
}

// Picks user `row` with the mouse: a click on the box, a click on the item.
inline void pickUser(const app::TMainForm& f, int row) {
  if (openUserList(f)) clickUserItem(f, row);
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
