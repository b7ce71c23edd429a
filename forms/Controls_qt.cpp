#include "forms/Controls.h"

#include <QMouseEvent>
#include <QPainter>

namespace forms {

TControl::TControl(TComponent* owner) : QWidget(nullptr), TComponent(owner) {}

TControl* TControl::Parent() const { return dynamic_cast<TControl*>(parentWidget()); }

void TControl::SetParent(TControl* parent) {
  if (parent == Parent()) return;
  const QRect keep = geometry();
  setParent(parent);
  setGeometry(keep);
  if (parent != nullptr) show();
}

void TControl::SetBounds(int left, int top, int width, int height) { setGeometry(left, top, width, height); }

void TControl::SetParentComponent(TComponent* parent) {
  auto* control = dynamic_cast<TControl*>(parent);
  if (control == nullptr) throw EFilerError(msg::InvalidPropertyValue);
  SetParent(control);
}

std::vector<TComponent*> TControl::GetChildren(const TComponent* root) const {
  std::vector<TComponent*> children;
  for (QObject* child : QObject::children())
    if (auto* control = dynamic_cast<TControl*>(child)) children.push_back(control);
  if (root == this)
    for (TComponent* c : TComponent::GetChildren(root)) children.push_back(c);
  return children;
}

void TControl::DefineProperties(Filer& filer) {
  TComponent::DefineProperties(filer);
  filer.defineInteger("Left", [this] { return Left(); }, [this](const int32_t& v) { SetLeft(v); });
  filer.defineInteger("Top", [this] { return Top(); }, [this](const int32_t& v) { SetTop(v); });
  filer.defineInteger("Width", [this] { return Width(); }, [this](const int32_t& v) { SetWidth(v); });
  filer.defineInteger("Height", [this] { return Height(); }, [this](const int32_t& v) { SetHeight(v); });
  filer.defineEvent("OnClick", OnClick);
}

bool TControl::event(QEvent* event) {
  if (event->type() == QEvent::ParentChange) {
    // Qt deletes the children of a widget that goes, after telling who listens:
    // free this control first, so that its owner and everyone else are told.
    QObject::disconnect(parentDestroyed_);
    if (QWidget* parent = parentWidget())
      parentDestroyed_ = QObject::connect(parent, &QObject::destroyed, this, [this] { TComponent::Free(this); });
  }
  return QWidget::event(event);
}

void TControl::MouseDown(Qt::MouseButton, Qt::KeyboardModifiers, int, int) {}

void TControl::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  MouseDown(event->button(), event->modifiers(), at.x(), at.y());
}

void TControl::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) Click();
}

void TCustomControl::Paint(QPainter&) {}

void TCustomControl::paintEvent(QPaintEvent*) {
  QPainter canvas(this);
  Paint(canvas);
}

TForm::TForm(TComponent* owner) : TControl(owner) {}

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

void TForm::DefineProperties(Filer& filer) {
  TComponent::DefineProperties(filer);
  filer.defineInteger("Left", [this] { return Left(); }, [this](const int32_t& v) { SetLeft(v); });
  filer.defineInteger("Top", [this] { return Top(); }, [this](const int32_t& v) { SetTop(v); });
  filer.defineString("Caption", [this] { return Caption(); }, [this](const std::string& v) { SetCaption(v); }, "");
  filer.defineIdent("BorderStyle", [this] { return BorderStyle(); },
                    [this](const std::string& v) { SetBorderStyle(v); }, "bsSizeable");
  filer.defineInteger("ClientWidth", [this] { return ClientWidth(); },
                      [this](const int32_t& v) { SetClientWidth(v); });
  filer.defineInteger("ClientHeight", [this] { return ClientHeight(); },
                      [this](const int32_t& v) { SetClientHeight(v); });
  filer.defineEvent("OnClick", OnClick);
  filer.defineEvent("OnCreate", OnCreate);
}

void TForm::ReadFormData(base::Stream& stream) {
  ReadComponent(stream, *this);
  OnCreate(this);
}

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
  QObject::connect(&timer_, &QTimer::timeout, [this] { OnTimer(this); });
}

void TTimer::SetEnabled(bool v) {
  enabled_ = v;
  UpdateTimer();
}

void TTimer::SetInterval(int32_t v) {
  interval_ = v;
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  timer_.stop();
  if (IsLoading() || !enabled_ || interval_ <= 0) return;
  timer_.start(interval_);
}

void TTimer::Loaded() {
  TComponent::Loaded();
  UpdateTimer();
}

void TTimer::DefineProperties(Filer& filer) {
  TComponent::DefineProperties(filer);
  filer.defineBoolean("Enabled", [this] { return Enabled(); }, [this](const bool& v) { SetEnabled(v); }, true);
  filer.defineInteger("Interval", [this] { return Interval(); }, [this](const int32_t& v) { SetInterval(v); }, 1000);
  filer.defineEvent("OnTimer", OnTimer);
}

void RegisterFormClasses() {
  RegisterClass<TTimer>("TTimer");
  RegisterClass<TCustomControl>("TCustomControl");
}

}  // namespace forms
