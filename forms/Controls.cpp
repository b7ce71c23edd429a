// What every toolkit shares of the controls: the tree of controls, form data and the timer.
#include "forms/Controls.h"

#include <algorithm>

#include "forms/core/Messages.h"

namespace forms {

TControl* TControl::Parent() const { return parent_; }

void TControl::SetParent(TControl* parent) {
  if (parent == parent_) return;
  if (parent_ != nullptr) std::erase(parent_->children_, this);
  parent_ = parent;
  if (parent != nullptr) parent->children_.push_back(this);
  PlaceWindow(parent);
}

TControl::~TControl() {
  for (TControl* child : children_) child->parent_ = nullptr;
  if (parent_ != nullptr) std::erase(parent_->children_, this);
}

void TControl::SetParentComponent(TComponent* parent) {
  auto* control = dynamic_cast<TControl*>(parent);
  if (control == nullptr) throw EFilerError(msg::InvalidPropertyValue);
  SetParent(control);
}

std::vector<TComponent*> TControl::GetChildren(const TComponent* root) const {
  std::vector<TComponent*> children(children_.begin(), children_.end());
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

TTimer::TTimer(TComponent* owner) : TComponent(owner), timer_([this] { OnTimer(this); }) {}

void TTimer::SetEnabled(bool v) {
  enabled_ = v;
  UpdateTimer();
}

void TTimer::SetInterval(int32_t v) {
  interval_ = v;
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  timer_.Stop();
  if (IsLoading() || !enabled_ || interval_ <= 0) return;
  timer_.Start(interval_);
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
