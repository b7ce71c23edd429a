// The component model the skin and the windows stand on: objects, persistent
// objects with Assign and stored properties, and components with an owner, a
// name, owned components, a loading state, Loaded and removal notification.
// Standard C++ only; the Qt controls in forms/ build on it.
#pragma once

#include <any>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "base/Errors.h"
#include "forms/core/Messages.h"

namespace forms {

class Filer;

class EFilerError : public base::Exception { using Exception::Exception; };
class EComponentError : public base::Exception { using Exception::Exception; };
class EConvertError : public base::Exception { using Exception::Exception; };

class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;
  virtual const char* ClassName() const { return "TObject"; }
};

// A handler slot that form data can name: the reader binds a stored handler
// name to the root's method of that name.
class EventSlot {
 public:
  virtual ~EventSlot() = default;
  virtual const std::string& handlerName() const = 0;
  virtual void bind(const std::string& name, const std::any& method) = 0;
};

// An event property: an optional handler plus the name it was published under.
template <typename... Args>
class TEvent : public EventSlot {
 public:
  using Function = std::function<void(Args...)>;

  TEvent& operator=(Function f) {
    fn_ = std::move(f);
    name_.clear();
    return *this;
  }
  void set(std::string name, Function f) {
    name_ = std::move(name);
    fn_ = std::move(f);
  }
  explicit operator bool() const { return static_cast<bool>(fn_); }
  // Calls a copy, so a handler may reassign the event or destroy its owner.
  void operator()(Args... args) const {
    if (Function f = fn_) f(args...);
  }

  const std::string& handlerName() const override { return name_; }
  void bind(const std::string& name, const std::any& method) override {
    if (name.empty()) return set({}, {});
    const Function* f = std::any_cast<Function>(&method);
    if (f == nullptr) throw EFilerError(base::formatMessage(msg::MethodNotFound, {name}));
    set(name, *f);
  }

 private:
  std::string name_;
  Function fn_;
};

using TNotifyEvent = TEvent<TObject*>;

class TPersistent : public TObject {
 public:
  const char* ClassName() const override { return "TPersistent"; }
  // Copies source into this object; the base refuses every source.
  virtual void Assign(const TPersistent* source);
  // Describes every stored property to a form-data filer (see Filer.h).
  virtual void DefineProperties(Filer& filer);

 protected:
  [[noreturn]] void AssignError(const TPersistent* source) const;
};

enum ComponentStateFlag : unsigned { csLoading = 1u, csReading = 2u, csDestroying = 4u };
enum class TOperation { opInsert, opRemove };

// A component belongs to its owner, which frees it; one without an owner is
// held by a ComponentPtr. Free is the only way to destroy a component (the
// destructors are protected). It runs two steps: first, once and while the
// component is whole, the component and everything it owns are marked
// csDestroying, BeforeDestruction runs, the owned components are freed last
// first and everyone concerned is told (Notification opRemove); then the C++
// destructors run.
class TComponent : public TPersistent {
 public:
  explicit TComponent(TComponent* owner);
  const char* ClassName() const override { return "TComponent"; }

  static void Free(TComponent* component);

  TComponent* Owner() const { return owner_; }
  const std::string& Name() const { return name_; }
  // Names are identifiers, unique (ignoring ASCII case) among the owner's components.
  virtual void SetName(const std::string& name);

  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* Components(int index) const;
  TComponent* FindComponent(std::string_view name) const;
  int IndexOfComponent(const TComponent* component) const;

  unsigned ComponentState() const { return state_; }
  bool IsLoading() const { return (state_ & csLoading) != 0; }
  bool IsDestroying() const { return (state_ & csDestroying) != 0; }

  // Asks to be told (Notification opRemove) when component is destroyed, and the
  // other way round; for references to components of another owner.
  void FreeNotification(TComponent* component);
  void RemoveFreeNotification(TComponent* component);

  // Ends the loading state; overrides call the base first.
  virtual void Loaded();
  // The base passes the notice on to every owned component; overrides call it.
  virtual void Notification(TComponent* component, TOperation operation);

  // Form-data structure: the components written nested inside this one, and
  // the component a read component is nested in.
  virtual std::vector<TComponent*> GetChildren(const TComponent* root) const;
  virtual bool HasParent() const { return false; }
  virtual TComponent* GetParentComponent() const { return nullptr; }
  virtual void SetParentComponent(TComponent* parent);

  // The published handler of that name, as a TEvent<...>::Function in an any;
  // empty when there is none. Forms publish their handlers with PublishMethod.
  virtual std::any MethodAddress(const std::string& name) const;

  // Loading state, set and cleared by the form-data reader.
  void SetLoadingState(unsigned flags) { state_ |= flags; }
  void ClearLoadingState(unsigned flags) { state_ &= ~flags; }

 protected:
  ~TComponent() override;

  template <typename... Args>
  void PublishMethod(const std::string& name, std::type_identity_t<std::function<void(Args...)>> method) {
    methods_[name] = std::move(method);
  }
  // Called by Free once the component is marked, before its owned components
  // go and anyone is told; overrides let go of what others hold of it.
  virtual void BeforeDestruction() {}

 private:
  // The first destruction step, run by Free.
  void Destroying();
  void InsertComponent(TComponent* component);
  void RemoveComponent(TComponent* component);
  void MarkDestroying();

  TComponent* owner_ = nullptr;
  std::string name_;
  unsigned state_ = 0;
  bool freed_ = false;
  std::vector<TComponent*> components_;
  std::vector<TComponent*> freeNotifies_;
  std::map<std::string, std::any> methods_;
};

// Holds a component the way an owner does: frees it through TComponent::Free.
struct FreeComponent {
  void operator()(TComponent* component) const { TComponent::Free(component); }
};
template <typename T>
using ComponentPtr = std::unique_ptr<T, FreeComponent>;

// ASCII case-insensitive equality, for component and property names.
bool SameName(std::string_view a, std::string_view b);
bool IsValidIdent(std::string_view name);

// The classes the form-data reader can create, by class name.
using ComponentFactory = std::function<TComponent*(TComponent* owner)>;
void RegisterClass(const std::string& className, ComponentFactory factory);
template <typename T>
void RegisterClass(const std::string& className) {
  RegisterClass(className, [](TComponent* owner) -> TComponent* { return new T(owner); });
}
// Raises "Class %s not found" for an unregistered name.
const ComponentFactory& FindClass(const std::string& className);

}  // namespace forms
