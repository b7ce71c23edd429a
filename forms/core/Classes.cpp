#include "forms/core/Classes.h"

#include <algorithm>

namespace forms {

void TPersistent::Assign(const TPersistent* source) { AssignError(source); }

void TPersistent::DefineProperties(Filer&) {}

void TPersistent::AssignError(const TPersistent* source) const {
  const char* from = source != nullptr ? source->ClassName() : "nil";
  throw EConvertError(base::formatMessage(msg::AssignError, {from, ClassName()}));
}

namespace {
char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
bool isIdentStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool isIdentChar(char c) { return isIdentStart(c) || (c >= '0' && c <= '9'); }
}  // namespace

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return lowerAscii(x) == lowerAscii(y); });
}

bool IsValidIdent(std::string_view name) {
  return !name.empty() && isIdentStart(name[0]) && std::all_of(name.begin(), name.end(), isIdentChar);
}

TComponent::TComponent(TComponent* owner) {
  if (owner != nullptr) owner->InsertComponent(this);
}

TComponent::~TComponent() = default;

void TComponent::Free(TComponent* component) {
  if (component == nullptr || component->freed_) return;
  component->freed_ = true;
  component->Destroying();
  delete component;
}

void TComponent::MarkDestroying() {
  state_ |= csDestroying;
  for (TComponent* c : components_) c->MarkDestroying();
}

void TComponent::Destroying() {
  MarkDestroying();
  BeforeDestruction();
  // Owned components go last first; each removes itself from this owner.
  while (!components_.empty()) Free(components_.back());
  if (owner_ != nullptr) owner_->RemoveComponent(this);
  std::vector<TComponent*> others = std::move(freeNotifies_);
  freeNotifies_.clear();
  for (TComponent* other : others) {
    std::erase(other->freeNotifies_, this);
    other->Notification(this, TOperation::opRemove);
  }
}

void TComponent::InsertComponent(TComponent* component) {
  if (!component->name_.empty() && FindComponent(component->name_) != nullptr)
    throw EComponentError(base::formatMessage(msg::DuplicateName, {component->name_}));
  components_.push_back(component);
  component->owner_ = this;
  Notification(component, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
  std::erase(components_, component);
  component->owner_ = nullptr;
  Notification(component, TOperation::opRemove);
}

void TComponent::SetName(const std::string& name) {
  if (name == name_) return;
  if (!name.empty() && !IsValidIdent(name)) throw EComponentError(base::formatMessage(msg::InvalidName, {name}));
  if (owner_ != nullptr && !name.empty()) {
    const TComponent* same = owner_->FindComponent(name);
    if (same != nullptr && same != this) throw EComponentError(base::formatMessage(msg::DuplicateName, {name}));
  }
  name_ = name;
}

TComponent* TComponent::Components(int index) const {
  if (index < 0 || index >= ComponentCount()) throw base::EListError(index);
  return components_[static_cast<size_t>(index)];
}

TComponent* TComponent::FindComponent(std::string_view name) const {
  if (name.empty()) return nullptr;
  for (TComponent* c : components_)
    if (SameName(c->name_, name)) return c;
  return nullptr;
}

int TComponent::IndexOfComponent(const TComponent* component) const {
  const auto it = std::find(components_.begin(), components_.end(), component);
  return it == components_.end() ? -1 : static_cast<int>(it - components_.begin());
}

void TComponent::FreeNotification(TComponent* component) {
  if (component == nullptr || component == this) return;
  if (std::find(freeNotifies_.begin(), freeNotifies_.end(), component) == freeNotifies_.end()) {
    freeNotifies_.push_back(component);
    component->freeNotifies_.push_back(this);
  }
}

void TComponent::RemoveFreeNotification(TComponent* component) {
  if (component == nullptr) return;
  std::erase(freeNotifies_, component);
  std::erase(component->freeNotifies_, this);
}

void TComponent::Loaded() { state_ &= ~csLoading; }

void TComponent::Notification(TComponent* component, TOperation operation) {
  if (operation == TOperation::opRemove) RemoveFreeNotification(component);
  // By index: a handler may destroy components of this owner.
  for (size_t i = 0; i < components_.size(); ++i) components_[i]->Notification(component, operation);
}

std::vector<TComponent*> TComponent::GetChildren(const TComponent* root) const {
  std::vector<TComponent*> children;
  if (root != this) return children;
  for (TComponent* c : components_)
    if (!c->HasParent()) children.push_back(c);
  return children;
}

void TComponent::SetParentComponent(TComponent*) {}

std::any TComponent::MethodAddress(const std::string& name) const {
  for (const auto& [key, method] : methods_)
    if (SameName(key, name)) return method;
  return {};
}

namespace {
std::map<std::string, ComponentFactory>& classRegistry() {
  static std::map<std::string, ComponentFactory> registry;
  return registry;
}
}  // namespace

void RegisterClass(const std::string& className, ComponentFactory factory) {
  classRegistry()[className] = std::move(factory);
}

const ComponentFactory& FindClass(const std::string& className) {
  const auto& registry = classRegistry();
  const auto it = registry.find(className);
  if (it == registry.end()) throw EFilerError(base::formatMessage(msg::ClassNotFound, {className}));
  return it->second;
}

}  // namespace forms
