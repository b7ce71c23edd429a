// The Qt side of the standard controls: each one is a widget of the main
// window's client area.
#pragma once

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QStyledItemDelegate>
#include <QWidget>

namespace forms {
class TMainWindow;

namespace native {

class Bevel : public QWidget {
 public:
  explicit Bevel(TMainWindow& window);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

class Image : public QWidget {
 public:
  explicit Image(TMainWindow& window);
  // What is drawn: the bitmap converted once, so that each paint is a plain copy.
  QImage image() const { return image_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  QImage image_;
};

class Label : public QLabel {
 public:
  explicit Label(TMainWindow& window);
};

class ComboBox : public QComboBox {
 public:
  explicit ComboBox(TMainWindow& window);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  bool popupOpen() const;
  void closedUp();
  QWidget* popup_;
};

class ListBox : public QListWidget {
 public:
  explicit ListBox(TMainWindow& window);
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

}  // namespace native
}  // namespace forms
