// The small controls the main window is built from: bevels, image controls,
// a drop-down list that reports its close-up, a tool bar with buttons at fixed
// places, a list that starts at its top when filled anew, and a delegate that
// gives list items a fixed height.
#pragma once

#include <QComboBox>
#include <QListWidget>
#include <QStyledItemDelegate>
#include <QWidget>

#include "base/Bitmap.h"

class QAction;
class QToolButton;

namespace app {

// A frame drawn with the button shadow and highlight colours: a lowered box,
// or only the top line (a horizontal rule).
class Bevel : public QWidget {
 public:
  enum class Shape { Box, TopLine };
  Bevel(Shape shape, QWidget* parent);
  Shape shape() const { return shape_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Shape shape_;
};

// Shows a bitmap unscaled from its top-left corner; with auto size on it takes
// the bitmap's size.
class ImageControl : public QWidget {
 public:
  ImageControl(bool autoSize, QWidget* parent);
  void setBitmap(base::Bitmap bitmap);
  const base::Bitmap& bitmap() const { return bitmap_; }
  QImage image() const { return image_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  base::Bitmap bitmap_;
  QImage image_;
  bool autoSize_;
};

// A drop-down list the user can only pick from, painted flat in its base colour.
// closedUp() is emitted whenever its drop-down part has closed, however it was
// closed, once the pick (if any) has been applied; and also when the user changes
// the selection of the closed list with the keyboard or the mouse wheel.
class ComboBox : public QComboBox {
  Q_OBJECT
 public:
  explicit ComboBox(QWidget* parent);

 signals:
  void closedUp();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  bool popupOpen() const;
  QWidget* popup_;
};

// A list to pick one entry from. Filled anew, it shows its first entries; while no
// entry is selected, Down selects the entry that has the focus frame.
class ListBox : public QListWidget {
 public:
  explicit ListBox(QWidget* parent) : QListWidget(parent) {}
  void reset() override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

// Items of a fixed height in pixels.
class FixedHeightDelegate : public QStyledItemDelegate {
 public:
  FixedHeightDelegate(int height, QObject* parent) : QStyledItemDelegate(parent), height_(height) {}
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  int height_;
};

// A transparent tool bar with edge lines on its left and top sides; its buttons
// and separators sit at fixed x positions inside the edges.
class ToolBar : public QWidget {
 public:
  static constexpr int kEdge = 2;
  static constexpr int kButtonWidth = 23;
  static constexpr int kButtonHeight = 22;

  explicit ToolBar(QWidget* parent);
  // A flat button showing the action's icon, enabled with it and running it;
  // it shows `toolTip` when not empty.
  QToolButton* addButton(const QString& name, int x, QAction* action, const QString& toolTip);
  QWidget* addSeparator(const QString& name, int x, int width);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QWidget* contents_;
};

}  // namespace app
