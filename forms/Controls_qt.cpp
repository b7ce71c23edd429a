// The Qt side of the controls: each control is its own QWidget.
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>
#include <QScreen>
#include <QWindow>
#include <array>

#include "forms/BitmapImage_qt.h"
#include "forms/Controls.h"
#include "forms/QtTypes_qt.h"
#include "forms/core/Messages.h"

namespace forms {

namespace native {

namespace {

TMouseButton mouseButton(Qt::MouseButton button) {
  if (button == Qt::RightButton) return TMouseButton::mbRight;
  if (button == Qt::MiddleButton) return TMouseButton::mbMiddle;
  return TMouseButton::mbLeft;
}

TShiftState shiftState(Qt::KeyboardModifiers keys, Qt::MouseButtons buttons) {
  TShiftState state = 0;
  if (keys & Qt::ShiftModifier) state |= ssShift;
  if (keys & Qt::AltModifier) state |= ssAlt;
  if (keys & Qt::ControlModifier) state |= ssCtrl;
  if (buttons & Qt::LeftButton) state |= ssLeft;
  if (buttons & Qt::RightButton) state |= ssRight;
  if (buttons & Qt::MiddleButton) state |= ssMiddle;
  return state;
}

// Paints through a QPainter.
class QtCanvas : public TCanvas {
 public:
  explicit QtCanvas(QWidget& widget) : painter_(&widget), widget_(widget) {}
  void Draw(int x, int y, const base::Bitmap& bitmap) override { painter_.drawImage(x, y, toQImage(bitmap)); }
  void DottedFrame(const TRect& rect, TColor fill) override {
    painter_.setPen(QPen(QColor(Qt::black), 1, Qt::DotLine));
    painter_.setBrush(toQColor(fill, widget_.palette()));
    painter_.drawRect(rect.left, rect.top, rect.width - 1, rect.height - 1);
  }

 private:
  QPainter painter_;
  QWidget& widget_;
};

}  // namespace

TControl& Control::control() { return static_cast<TControl&>(*this); }

bool Control::event(QEvent* event) {
  if (event->type() == QEvent::ParentChange) {
    // Qt deletes the children of a widget that goes, after telling who listens:
    // free this control first, so that its owner and everyone else are told.
    QObject::disconnect(parentDestroyed_);
    if (QWidget* parent = parentWidget())
      parentDestroyed_ = QObject::connect(parent, &QObject::destroyed, this, [this] { TComponent::Free(&control()); });
  }
  return QWidget::event(event);
}

void Control::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  control().MouseDown(mouseButton(event->button()), shiftState(event->modifiers(), event->buttons()), at.x(), at.y());
}

void Control::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (event->button() == Qt::LeftButton && rect().contains(at)) control().Click();
  control().MouseUp(mouseButton(event->button()), shiftState(event->modifiers(), event->buttons()), at.x(), at.y());
}

void Control::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  control().MouseMove(shiftState(event->modifiers(), event->buttons()), at.x(), at.y());
}

void Control::mouseDoubleClickEvent(QMouseEvent* event) {
  QWidget::mouseDoubleClickEvent(event);
  if (event->button() == Qt::LeftButton) control().DblClick();
}

void Control::contextMenuEvent(QContextMenuEvent* event) {
  bool handled = false;
  control().ContextPopup({event->pos().x(), event->pos().y()}, handled);
  event->setAccepted(handled);
}

void Control::paintEvent(QPaintEvent*) {
  if (!control().PaintsItself()) return;
  QtCanvas canvas(*this);
  control().Paint(canvas);
}

void Control::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  if (modalLoop_ != nullptr) modalLoop_->quit();
}

Timer::Timer(std::function<void()> tick) { QObject::connect(&timer_, &QTimer::timeout, std::move(tick)); }

void Timer::Start(int milliseconds) { timer_.start(milliseconds); }

void Timer::Stop() { timer_.stop(); }

}  // namespace native

namespace {
// The class library's cursor numbers that have a Qt shape.
void applyCursor(QWidget& widget, int32_t cursor) {
  static constexpr std::array<std::pair<int32_t, Qt::CursorShape>, 10> shapes{{
      {-2, Qt::ArrowCursor},
      {-3, Qt::CrossCursor},
      {-4, Qt::IBeamCursor},
      {-11, Qt::WaitCursor},
      {-13, Qt::SplitVCursor},
      {-14, Qt::SplitHCursor},
      {-18, Qt::ForbiddenCursor},
      {-19, Qt::BusyCursor},
      {-21, Qt::PointingHandCursor},
      {-22, Qt::SizeAllCursor},
  }};
  for (const auto& [number, shape] : shapes)
    if (number == cursor) return widget.setCursor(shape);
  widget.unsetCursor();
}
}  // namespace

TControl::TControl(TComponent* owner) : TComponent(owner) {}

void TControl::PlaceWindow(TControl* parent) {
  const QRect keep = geometry();
  setParent(parent);
  setGeometry(keep);
  if (parent != nullptr) show();
}

void TControl::SetBounds(int left, int top, int width, int height) { setGeometry(left, top, width, height); }

int TControl::Left() const { return x(); }
int TControl::Top() const { return y(); }
int TControl::Width() const { return width(); }
int TControl::Height() const { return height(); }
bool TControl::Visible() const { return isVisible(); }
void TControl::SetVisible(bool visible) { setVisible(visible); }
bool TControl::Enabled() const { return isEnabled(); }
void TControl::SetEnabled(bool enabled) { setEnabled(enabled); }
void TControl::SetCursor(int32_t cursor) { applyCursor(*this, cursor); }
void TControl::Repaint() { repaint(); }

TCustomControl::TCustomControl(TComponent* owner) : TControl(owner) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);  // OnMouseMove also without a button held
}

TForm::TForm(TComponent* owner) : TControl(owner) {
  // A form never ends the program when it closes, also when it is the only window.
  setAttribute(Qt::WA_QuitOnClose, false);
}

std::string TForm::Caption() const { return windowTitle().toStdString(); }

void TForm::SetCaption(const std::string& caption) { setWindowTitle(QString::fromStdString(caption)); }

void TForm::SetBorderStyle(const std::string& style) {
  if (style != "bsNone" && style != "bsSizeable") throw EFilerError(msg::InvalidPropertyValue);
  borderStyle_ = style;
  // New window flags hide a shown window: show it again.
  const bool shown = isVisible();
  setWindowFlag(Qt::FramelessWindowHint, style == "bsNone");
  if (shown) show();
}

int TForm::ClientWidth() const { return width(); }
int TForm::ClientHeight() const { return height(); }
void TForm::SetClientWidth(int v) { resize(v, height()); }
void TForm::SetClientHeight(int v) { resize(width(), v); }

void TForm::SetColor(TColor color) {
  QPalette p = palette();
  p.setColor(QPalette::Window, toQColor(color, QGuiApplication::palette()));
  setPalette(p);
  setAutoFillBackground(true);
}

void TForm::SetFont(const TFontInfo& font) {
  setFont(toQFont(font));
  QPalette p = palette();
  p.setColor(QPalette::WindowText, toQColor(font.color, QGuiApplication::palette()));
  setPalette(p);
}

void TForm::CenterOnScreen() {
  const QScreen* screen = this->screen() != nullptr ? this->screen() : QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  const QRect area = screen->availableGeometry();
  move(area.center() - QPoint(width() / 2, height() / 2));
}

void TForm::ShowModal() {
  setWindowModality(Qt::ApplicationModal);
  show();
  QEventLoop loop;
  modalLoop_ = &loop;
  loop.exec(QEventLoop::DialogExec);
  modalLoop_ = nullptr;
}

void TForm::Close() { close(); }

bool TForm::Showing() const { return isVisible(); }

void TForm::SetWindowRegion(const std::vector<TRect>& rectangles) {
  if (rectangles.empty()) {
    clearMask();
    return;
  }
  // Rectangles in banded order each go on the end of the region, which QRegion
  // joins without searching.
  QRegion region;
  for (const TRect& r : rectangles) region += QRect(r.left, r.top, r.width, r.height);
  setMask(region);
}

bool TForm::HasWindowRegion() const { return !mask().isEmpty(); }

void TForm::StartSystemMove() {
  if (QWindow* window = windowHandle()) window->startSystemMove();
}

}  // namespace forms
