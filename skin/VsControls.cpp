#include "skin/VsControls.h"

#include <algorithm>

namespace skin {

TVsChangeLink::~TVsChangeLink() {
  if (sender_ != nullptr) sender_->UnRegisterChanges(this);
}

void TVsChangeLink::Change() { OnChange(sender_); }

void TVsSharedComponent::BeforeDestruction() { DetachLinks(); }

void TVsSharedComponent::DetachLinks() {
  while (!links_.empty()) UnRegisterChanges(links_.back());
}

void TVsSharedComponent::RegisterChanges(TVsChangeLink* link) {
  link->sender_ = this;
  links_.push_back(link);
}

void TVsSharedComponent::UnRegisterChanges(TVsChangeLink* link) {
  const auto it = std::find(links_.begin(), links_.end(), link);
  if (it == links_.end()) return;
  link->sender_ = nullptr;
  links_.erase(it);
}

void TVsSharedComponent::NotifyLinks() {
  const size_t count = links_.size();
  for (size_t i = 0; i < count && i < links_.size(); ++i) links_[i]->Change();
}

}  // namespace skin
