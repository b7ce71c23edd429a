// The Qt side of the controls: a control's window is a QWidget, a timer a QTimer.
#pragma once

#include <QEventLoop>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace forms {
class TControl;
class TForm;

namespace native {

// The QWidget of a TControl; it reports the widget's events to the control.
class Control : public QWidget {
 public:
  Control() = default;

 protected:
  bool event(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  friend class forms::TControl;
  friend class forms::TForm;
  TControl& control();
  QMetaObject::Connection parentDestroyed_;
  // The modal loop a form runs while ShowModal waits; closing the form ends it.
  QEventLoop* modalLoop_ = nullptr;
};

class Timer {
 public:
  explicit Timer(std::function<void()> tick);
  void Start(int milliseconds);
  void Stop();

 private:
  QTimer timer_;
};

}  // namespace native
}  // namespace forms
