#include "app/Controls.h"

#include <QAbstractItemView>
#include <QAction>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOption>
#include <QStylePainter>
#include <QToolButton>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "forms/BitmapImage.h"

namespace app {

namespace {

QColor shadowColor(const QWidget* w) { return w->palette().color(QPalette::Dark); }
QColor highlightColor(const QWidget* w) { return w->palette().color(QPalette::Light); }

// A separator between tool buttons: an etched vertical line in its middle.
class ToolSeparator : public QWidget {
 public:
  using QWidget::QWidget;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    const int x = width() / 2 - 1;
    p.setPen(shadowColor(this));
    p.drawLine(x, 0, x, height() - 1);
    p.setPen(highlightColor(this));
    p.drawLine(x + 1, 0, x + 1, height() - 1);
  }
};

}  // namespace

Bevel::Bevel(Shape shape, QWidget* parent) : QWidget(parent), shape_(shape) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Bevel::paintEvent(QPaintEvent*) {
  // Lines of whole device pixels on the device pixels wholly inside the bevel:
  // at 125 % or 150 % a line at the bevel's logical edge would fall on a pixel
  // it shares with its neighbour and be clipped away.
  QPainter p(this);
  const qreal ratio = devicePixelRatioF();
  const QPointF origin = mapTo(window(), QPoint());
  const int left = static_cast<int>(std::ceil(origin.x() * ratio));
  const int top = static_cast<int>(std::ceil(origin.y() * ratio));
  const int right = static_cast<int>(std::floor((origin.x() + width()) * ratio));
  const int bottom = static_cast<int>(std::floor((origin.y() + height()) * ratio));
  const int line = std::max(1, static_cast<int>(ratio));
  const auto fill = [&](int x, int y, int w, int h, const QColor& colour) {
    p.fillRect(QRectF(x / ratio - origin.x(), y / ratio - origin.y(), w / ratio, h / ratio), colour);
  };
  if (shape_ == Shape::TopLine) {
    fill(left, top, right - left, line, shadowColor(this));
    fill(left, top + line, right - left, line, highlightColor(this));
    return;
  }
  fill(left, top, right - left, line, shadowColor(this));
  fill(left, top, line, bottom - top, shadowColor(this));
  fill(right - line, top, line, bottom - top, highlightColor(this));
  fill(left, bottom - line, right - left, line, highlightColor(this));
}

ImageControl::ImageControl(bool autoSize, QWidget* parent) : QWidget(parent), autoSize_(autoSize) {}

void ImageControl::setBitmap(base::Bitmap bitmap) {
  bitmap_ = std::move(bitmap);
  // Converted once to 32-bit RGB, so that each paint is a plain copy.
  image_ = forms::toQImage(bitmap_).convertToFormat(QImage::Format_RGB32);
  if (autoSize_ && !bitmap_.empty()) resize(bitmap_.width(), bitmap_.height());
  update();
}

void ImageControl::paintEvent(QPaintEvent*) {
  if (image_.isNull()) return;
  QPainter p(this);
  p.drawImage(0, 0, image_);
}

ComboBox::ComboBox(QWidget* parent) : QComboBox(parent), popup_(view()->window()) {
  popup_->installEventFilter(this);
}

bool ComboBox::popupOpen() const { return popup_->isVisible(); }

bool ComboBox::eventFilter(QObject* watched, QEvent* event) {
  // Qt hides the drop-down part before it applies a pick made with a click or
  // Enter, and some ways of closing it (a click outside, Escape) bypass
  // hidePopup(): the close-up waits until the event that closed it is done.
  if (watched == popup_ && event->type() == QEvent::Hide)
    QMetaObject::invokeMethod(this, &ComboBox::closedUp, Qt::QueuedConnection);
  return QComboBox::eventFilter(watched, event);
}

void ComboBox::keyPressEvent(QKeyEvent* event) {
  const int before = currentIndex();
  QComboBox::keyPressEvent(event);
  if (!popupOpen() && currentIndex() != before) emit closedUp();
}

void ComboBox::wheelEvent(QWheelEvent* event) {
  const int before = currentIndex();
  QComboBox::wheelEvent(event);
  if (!popupOpen() && currentIndex() != before) emit closedUp();
}

void ComboBox::paintEvent(QPaintEvent*) {
  // Flat in the base colour like the open list, instead of the style's button look.
  QStylePainter p(this);
  QStyleOptionComboBox option;
  initStyleOption(&option);
  p.fillRect(rect(), palette().color(QPalette::Base));
  QStyleOptionFrame frame;
  frame.initFrom(this);
  frame.rect = rect();
  frame.lineWidth = 1;
  frame.state |= QStyle::State_Sunken;
  p.drawPrimitive(QStyle::PE_FrameLineEdit, frame);
  QStyleOption arrow = option;
  arrow.rect = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, this);
  p.drawPrimitive(QStyle::PE_IndicatorArrowDown, arrow);
  p.drawControl(QStyle::CE_ComboBoxLabel, option);
}

void ListBox::reset() {
  QListWidget::reset();
  // The items come in after the reset, so the scroll bar would keep the old list's position.
  scrollToTop();
}

void ListBox::keyPressEvent(QKeyEvent* event) {
  // Gaining focus, Qt makes the first entry current without selecting it: Down
  // would move past that entry instead of selecting it.
  const QModelIndex current = currentIndex();
  const bool plain = !(event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier));
  if (event->key() == Qt::Key_Down && plain && current.isValid() && !selectionModel()->isSelected(current)) {
    setCurrentIndex(current);
    return;
  }
  QListWidget::keyPressEvent(event);
}

QSize FixedHeightDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
  return {QStyledItemDelegate::sizeHint(option, index).width(), height_};
}

ToolBar::ToolBar(QWidget* parent) : QWidget(parent), contents_(new QWidget(this)) {
  setFocusPolicy(Qt::TabFocus);
}

QToolButton* ToolBar::addButton(const QString& name, int x, QAction* action, const QString& toolTip) {
  auto* button = new QToolButton(contents_);
  button->setObjectName(name);
  button->setGeometry(x, 0, kButtonWidth, kButtonHeight);
  button->setAutoRaise(true);
  button->setFocusPolicy(Qt::NoFocus);
  button->setToolButtonStyle(Qt::ToolButtonIconOnly);
  button->setIconSize(QSize(16, 16));
  button->setIcon(action->icon());
  button->setText(action->text());
  button->setToolTip(toolTip);
  button->setEnabled(action->isEnabled());
  connect(action, &QAction::changed, button, [button, action] { button->setEnabled(action->isEnabled()); });
  connect(button, &QToolButton::clicked, action, &QAction::trigger);
  return button;
}

QWidget* ToolBar::addSeparator(const QString& name, int x, int width) {
  auto* separator = new ToolSeparator(contents_);
  separator->setObjectName(name);
  separator->setGeometry(x, 0, width, kButtonHeight);
  return separator;
}

void ToolBar::resizeEvent(QResizeEvent*) { contents_->setGeometry(kEdge, kEdge, width() - kEdge, height() - kEdge); }

void ToolBar::paintEvent(QPaintEvent*) {
  // Transparent: only the edges are drawn, the parent's colour shows through.
  QPainter p(this);
  p.setPen(shadowColor(this));
  p.drawLine(0, 0, width() - 1, 0);
  p.drawLine(0, 0, 0, height() - 1);
  p.setPen(highlightColor(this));
  p.drawLine(1, 1, width() - 1, 1);
  p.drawLine(1, 1, 1, height() - 1);
}

}  // namespace app
