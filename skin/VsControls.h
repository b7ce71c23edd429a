// The root of the skin library's non-visual classes, and the change links
// through which a component hears of changes of a shared component such as the
// composer. Standard C++ only; the visual root is in VsCustomControl.h.
#pragma once

#include <vector>

#include "forms/core/Classes.h"

namespace skin {

class TVsSharedComponent;

// The root of the library's non-visual classes.
class TVsComponent : public forms::TComponent {
 public:
  using forms::TComponent::TComponent;
  const char* ClassName() const override { return "TVsComponent"; }

 protected:
  ~TVsComponent() override = default;
};

// A plain object owned by whoever created it; registered with at most one
// shared component, which sets and clears Sender.
class TVsChangeLink : public forms::TObject {
 public:
  TVsChangeLink() = default;
  // Unregisters itself from the component it is registered with.
  ~TVsChangeLink() override;
  const char* ClassName() const override { return "TVsChangeLink"; }

  TVsSharedComponent* Sender() const { return sender_; }
  // Calls OnChange with Sender (not the link) as sender.
  virtual void Change();

  forms::TNotifyEvent OnChange;

 private:
  friend class TVsSharedComponent;
  TVsSharedComponent* sender_ = nullptr;
};

// A component that tells its registered links, in registration order, of changes.
class TVsSharedComponent : public TVsComponent {
 public:
  explicit TVsSharedComponent(forms::TComponent* owner) : TVsComponent(owner) {}
  const char* ClassName() const override { return "TVsSharedComponent"; }

  // No check for a link that is already registered: callers detach a link first.
  void RegisterChanges(TVsChangeLink* link);
  // Does nothing for a link that is not registered here.
  void UnRegisterChanges(TVsChangeLink* link);
  void NotifyLinks();

  const std::vector<TVsChangeLink*>& Links() const { return links_; }

 protected:
  ~TVsSharedComponent() override = default;
  // Detaches every link (without telling it) before anyone hears of the removal.
  void BeforeDestruction() override;

 private:
  void DetachLinks();

  std::vector<TVsChangeLink*> links_;
};

}  // namespace skin
