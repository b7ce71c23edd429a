// The Qt side of the standard controls.
#include <QAbstractItemView>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOption>
#include <QStylePainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "forms/BitmapImage_qt.h"
#include "forms/MainWindow.h"
#include "forms/QtTypes_qt.h"
#include "forms/StdCtrls.h"

namespace forms {

namespace {

QRect toQRect(const TRect& r) { return {r.left, r.top, r.width, r.height}; }

}  // namespace

namespace native {

Bevel::Bevel(TMainWindow& window) : QWidget(window.client) { setAttribute(Qt::WA_TransparentForMouseEvents); }

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
  fill(left, top, right - left, line, shadowColor(this));
  if (static_cast<TBevel*>(this)->BevelShape() == TBevel::Shape::TopLine) {
    fill(left, top + line, right - left, line, highlightColor(this));
    return;
  }
  fill(left, top, line, bottom - top, shadowColor(this));
  fill(right - line, top, line, bottom - top, highlightColor(this));
  fill(left, bottom - line, right - left, line, highlightColor(this));
}

Image::Image(TMainWindow& window) : QWidget(window.client) {}

void Image::paintEvent(QPaintEvent*) {
  if (image_.isNull()) return;
  QPainter p(this);
  p.drawImage(0, 0, image_);
}

Label::Label(TMainWindow& window) : QLabel(window.client) {}

ComboBox::ComboBox(TMainWindow& window) : QComboBox(window.client), popup_(view()->window()) {
  popup_->installEventFilter(this);
}

bool ComboBox::popupOpen() const { return popup_->isVisible(); }

void ComboBox::closedUp() {
  if (const auto& handler = static_cast<TComboBox*>(this)->OnCloseUp) handler();
}

bool ComboBox::eventFilter(QObject* watched, QEvent* event) {
  // Qt hides the drop-down part before it applies a pick made with a click or
  // Enter, and some ways of closing it (a click outside, Escape) bypass
  // hidePopup(): the close-up waits until the event that closed it is done.
  if (watched == popup_ && event->type() == QEvent::Hide)
    QMetaObject::invokeMethod(this, [this] { closedUp(); }, Qt::QueuedConnection);
  return QComboBox::eventFilter(watched, event);
}

void ComboBox::keyPressEvent(QKeyEvent* event) {
  const int before = currentIndex();
  QComboBox::keyPressEvent(event);
  if (!popupOpen() && currentIndex() != before) closedUp();
}

void ComboBox::wheelEvent(QWheelEvent* event) {
  const int before = currentIndex();
  QComboBox::wheelEvent(event);
  if (!popupOpen() && currentIndex() != before) closedUp();
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

ListBox::ListBox(TMainWindow& window) : QListWidget(window.client) {}

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

}  // namespace native

TBevel::TBevel(TMainWindow& window, const char* name, Shape shape) : native::Bevel(window), shape_(shape) {
  setObjectName(QString::fromLatin1(name));
}

void TBevel::SetBounds(const TRect& bounds) { setGeometry(toQRect(bounds)); }

TImage::TImage(TMainWindow& window, const char* name, bool autoSize) : native::Image(window), autoSize_(autoSize) {
  setObjectName(QString::fromLatin1(name));
}

void TImage::SetBitmap(base::Bitmap bitmap) {
  bitmap_ = std::move(bitmap);
  image_ = bitmap_.empty() ? QImage() : toQImage(bitmap_).convertToFormat(QImage::Format_RGB32);
  if (autoSize_ && !bitmap_.empty()) resize(bitmap_.width(), bitmap_.height());
  update();
}

void TImage::SetBounds(const TRect& bounds) { setGeometry(toQRect(bounds)); }

void TImage::Move(int left, int top) { move(left, top); }

void TImage::SetVisible(bool visible) { setVisible(visible); }

TLabel::TLabel(TMainWindow& window, const char* name, const std::string& text, const TRect& bounds,
               const TFontInfo& font)
    : native::Label(window) {
  setObjectName(QString::fromLatin1(name));
  setText(QString::fromStdString(text));
  setGeometry(toQRect(bounds));
  setFont(toQFont(font));
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
  setTextInteractionFlags(Qt::NoTextInteraction);
  setPaletteColor(*this, QPalette::WindowText, font.color);
}

TComboBox::TComboBox(TMainWindow& window, const char* name) : native::ComboBox(window) {
  setObjectName(QString::fromLatin1(name));
  setEditable(false);
}

void TComboBox::SetBounds(const TRect& bounds) { setGeometry(toQRect(bounds)); }

void TComboBox::SetFont(const TFontInfo& font) {
  setFont(toQFont(font));
  setPaletteColor(*this, QPalette::Text, font.color);
}

void TComboBox::SetColor(TColor color) {
  setPaletteColor(*this, QPalette::Base, color);
  setPaletteColor(*this, QPalette::Button, color);
}

void TComboBox::SetItemHeight(int pixels) { setItemDelegate(new native::FixedHeightDelegate(pixels, this)); }

void TComboBox::Clear() { clear(); }

void TComboBox::Add(const std::string& text) { addItem(QString::fromStdString(text)); }

int TComboBox::Count() const { return count(); }

std::string TComboBox::Text(int index) const { return itemText(index).toStdString(); }

int TComboBox::ItemIndex() const { return currentIndex(); }

void TComboBox::SetItemIndex(int index) { setCurrentIndex(index); }

TListBox::TListBox(TMainWindow& window, const char* name) : native::ListBox(window) {
  setObjectName(QString::fromLatin1(name));
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSortingEnabled(false);
  setUniformItemSizes(true);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setTextElideMode(Qt::ElideNone);
  connect(this, &QListWidget::itemSelectionChanged, this, [this] {
    if (OnChange) OnChange();
  });
}

void TListBox::SetBounds(const TRect& bounds) { setGeometry(toQRect(bounds)); }

void TListBox::SetFont(const TFontInfo& font) {
  setFont(toQFont(font));
  setPaletteColor(*this, QPalette::Text, font.color);
}

void TListBox::SetColor(TColor color) { setPaletteColor(*this, QPalette::Base, color); }

void TListBox::SetItemHeight(int pixels) { setItemDelegate(new native::FixedHeightDelegate(pixels, this)); }

void TListBox::Clear() { clear(); }

void TListBox::Add(const std::string& text, const std::string& data) {
  auto* item = new QListWidgetItem(QString::fromStdString(text), this);
  item->setData(Qt::UserRole, QByteArray::fromStdString(data));
}

int TListBox::Count() const { return count(); }

std::string TListBox::Text(int index) const { return item(index)->text().toStdString(); }

std::string TListBox::Data(int index) const { return item(index)->data(Qt::UserRole).toByteArray().toStdString(); }

int TListBox::ItemIndex() const {
  const QList<QListWidgetItem*> selected = selectedItems();
  return selected.isEmpty() ? -1 : row(selected.first());
}

void TListBox::SelectItem(int index) {
  QListWidgetItem* chosen = item(index);
  scrollToItem(chosen);
  setCurrentItem(chosen);
}

void TListBox::SetFocus() { setFocus(); }

}  // namespace forms
