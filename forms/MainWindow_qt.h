// The Qt side of the main window: a QMainWindow with a fixed client widget,
// menus as QMenus and QActions, and a tool bar of QToolButtons.
#pragma once

#include <QAction>
#include <QIcon>
#include <QMainWindow>
#include <QMenu>
#include <QWidget>
#include <vector>

namespace forms {
class TMainWindow;
class TMenu;

namespace native {

using Focusable = QWidget*;

class ImageList {
 public:
  const QIcon& icon(int index) const { return icons_.at(static_cast<size_t>(index)); }

 protected:
  std::vector<QIcon> icons_;
};

class MenuItem : public QAction {
 public:
  explicit MenuItem(TMenu& menu);
};

class Menu : public QMenu {
 public:
  explicit Menu(TMainWindow& window);
};

class ToolBar : public QWidget {
 public:
  static constexpr int kEdge = 2;
  static constexpr int kButtonHeight = 22;
  explicit ToolBar(TMainWindow& window);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  QWidget* contents_;
};

class MainWindow : public QMainWindow {
 public:
  MainWindow();
  // The widget the controls sit on, of the window's client size.
  QWidget* client;

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
};

}  // namespace native
}  // namespace forms
