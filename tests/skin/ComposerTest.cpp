// Change links, the composer's notifications, and destruction in every order.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "skin/VsComposer.h"

using namespace skin;
using forms::TComponent;

namespace {

void addPicture(TVsComposer& c, const std::string& name) {
  TVsGraphic e;
  e.SetName(name);
  c.Graphics()->Add(&e);
}

// Holds a composer reference the way a skin control does: an owned link,
// a setter that moves the link, and the removal notice that drops the reference.
class Viewer : public TVsComponent {
 public:
  explicit Viewer(TComponent* owner) : TVsComponent(owner) {
    link_.OnChange = [this](forms::TObject*) { Rebuild(); };
  }
  TVsComposer* Composer() const { return composer_; }
  void SetComposer(TVsComposer* value) {
    if (composer_ != nullptr) {
      composer_->UnRegisterChanges(&link_);
      composer_->RemoveFreeNotification(this);
    }
    composer_ = value;
    if (composer_ != nullptr) {
      composer_->RegisterChanges(&link_);
      composer_->FreeNotification(this);
    }
    Rebuild();
  }
  void Notification(TComponent* component, forms::TOperation operation) override {
    TVsComponent::Notification(component, operation);
    if (operation == forms::TOperation::opRemove && component == composer_) SetComposer(nullptr);
  }
  int rebuilds = 0;
  int pictures = -1;

 private:
  void Rebuild() {
    ++rebuilds;
    pictures = composer_ != nullptr ? composer_->Graphics()->Count() : -1;
  }
  TVsComposer* composer_ = nullptr;
  TVsChangeLink link_;

 protected:
  ~Viewer() override = default;
};

}  // namespace

TEST(ChangeLinks, NotifyInRegistrationOrderWithTheComposerAsSender) {
  const forms::ComponentPtr<TVsComposer> composer(new TVsComposer(nullptr));
  std::vector<std::string> calls;
  TVsChangeLink first, second;
  first.OnChange = [&](forms::TObject* s) {
    EXPECT_EQ(s, composer.get());
    calls.push_back("first");
  };
  second.OnChange = [&](forms::TObject* s) {
    EXPECT_EQ(s, composer.get());
    calls.push_back("second");
  };
  composer->RegisterChanges(&first);
  composer->RegisterChanges(&second);
  EXPECT_EQ(first.Sender(), composer.get());

  addPicture(*composer, "a");
  EXPECT_EQ(calls, (std::vector<std::string>{"first", "second"}));

  TVsGraphics three;
  for (const char* n : {"x", "y", "z"}) {
    TVsGraphic e;
    e.SetName(n);
    three.Add(&e);
  }
  calls.clear();
  composer->SetGraphics(&three);
  EXPECT_EQ(calls.size(), 2u);
  EXPECT_EQ(composer->Graphics()->Count(), 3);

  // A link without a handler is fine; unregistering an unknown link does nothing.
  TVsChangeLink silent, stranger;
  composer->RegisterChanges(&silent);
  composer->UnRegisterChanges(&stranger);
  calls.clear();
  composer->Graphics()->Delete(0);
  EXPECT_EQ(calls.size(), 2u);
  composer->UnRegisterChanges(&silent);
  EXPECT_EQ(silent.Sender(), nullptr);
}

TEST(ChangeLinks, ADestroyedLinkIsNoLongerCalled) {
  const forms::ComponentPtr<TVsComposer> composer(new TVsComposer(nullptr));
  int kept = 0;
  TVsChangeLink keep;
  keep.OnChange = [&](forms::TObject*) { ++kept; };
  {
    TVsChangeLink gone;
    gone.OnChange = [&](forms::TObject*) { ADD_FAILURE() << "a destroyed link was called"; };
    composer->RegisterChanges(&gone);
    composer->RegisterChanges(&keep);
  }
  addPicture(*composer, "a");
  EXPECT_EQ(kept, 1);
  EXPECT_EQ(composer->Links().size(), 1u);
}

TEST(ChangeLinks, ALinkRemovedWhileNotifyingEndsTheRoundSafely) {
  const forms::ComponentPtr<TVsComposer> composer(new TVsComposer(nullptr));
  auto second = std::make_unique<TVsChangeLink>();
  TVsChangeLink first;
  first.OnChange = [&](forms::TObject*) { second.reset(); };
  composer->RegisterChanges(&first);
  composer->RegisterChanges(second.get());
  addPicture(*composer, "a");
  EXPECT_EQ(composer->Links().size(), 1u);
}

TEST(ComposerDestruction, DetachesLinksSilently) {
  forms::ComponentPtr<TVsComposer> composer(new TVsComposer(nullptr));
  addPicture(*composer, "a");
  TVsChangeLink a, b;
  int calls = 0;
  a.OnChange = b.OnChange = [&](forms::TObject*) { ++calls; };
  composer->RegisterChanges(&a);
  composer->RegisterChanges(&b);
  composer.reset();
  EXPECT_EQ(calls, 0);
  EXPECT_EQ(a.Sender(), nullptr);
  EXPECT_EQ(b.Sender(), nullptr);
}

// Every order in which the owner, the composer, the viewer and a bare link can
// go; AddressSanitizer reports any call into a destroyed composer.
TEST(ComposerDestruction, NoCallReachesADestroyedComposerInAnyOrder) {
  enum class Way { OwnerFirstComposerCreatedFirst, OwnerFirstViewerCreatedFirst, ComposerFree, UnownedComposerFree,
                   ViewerFirst, OtherOwnerComposerFirst, OtherOwnerViewerFirst, OtherOwnerFirst };
  for (Way way : {Way::OwnerFirstComposerCreatedFirst, Way::OwnerFirstViewerCreatedFirst, Way::ComposerFree,
                  Way::UnownedComposerFree, Way::ViewerFirst, Way::OtherOwnerComposerFirst, Way::OtherOwnerViewerFirst,
                  Way::OtherOwnerFirst}) {
    SCOPED_TRACE(static_cast<int>(way));
    auto* owner = new TComponent(nullptr);
    const bool otherOwner = way >= Way::OtherOwnerComposerFirst;
    TComponent* composerOwner = otherOwner ? new TComponent(nullptr) : owner;
    if (way == Way::UnownedComposerFree) composerOwner = nullptr;
    TVsComposer* composer = nullptr;
    Viewer* viewer = nullptr;
    if (way == Way::OwnerFirstViewerCreatedFirst) {
      viewer = new Viewer(owner);
      composer = new TVsComposer(composerOwner);
    } else {
      composer = new TVsComposer(composerOwner);
      viewer = new Viewer(owner);
    }
    addPicture(*composer, "a");
    viewer->SetComposer(composer);
    EXPECT_EQ(viewer->pictures, 1);
    auto bareLink = std::make_unique<TVsChangeLink>();
    composer->RegisterChanges(bareLink.get());

    switch (way) {
      case Way::OwnerFirstComposerCreatedFirst:
      case Way::OwnerFirstViewerCreatedFirst:
        TComponent::Free(owner);
        owner = nullptr;
        break;
      case Way::ComposerFree:
      case Way::UnownedComposerFree:
      case Way::OtherOwnerComposerFirst:
        TComponent::Free(composer);
        EXPECT_EQ(viewer->Composer(), nullptr);
        EXPECT_EQ(viewer->pictures, -1);
        break;
      case Way::OtherOwnerFirst:
        TComponent::Free(composerOwner);
        composerOwner = nullptr;
        EXPECT_EQ(viewer->Composer(), nullptr);
        break;
      case Way::ViewerFirst:
      case Way::OtherOwnerViewerFirst:
        TComponent::Free(viewer);
        EXPECT_EQ(composer->Links().size(), 1u);
        addPicture(*composer, "b");
        break;
    }
    EXPECT_EQ(bareLink->Sender() == nullptr, way != Way::ViewerFirst && way != Way::OtherOwnerViewerFirst);
    bareLink.reset();
    TComponent::Free(owner);
    if (otherOwner) TComponent::Free(composerOwner);
  }
}

TEST(ComposerDestruction, OwnerTellsEveryOwnedComponentOfARemoval) {
  const forms::ComponentPtr<TComponent> owner(new TComponent(nullptr));
  auto* composer = new TVsComposer(owner.get());
  auto* a = new Viewer(owner.get());
  auto* b = new Viewer(owner.get());
  a->SetComposer(composer);
  b->SetComposer(composer);
  composer->RemoveFreeNotification(a);  // the owner's notice alone must reach them
  composer->RemoveFreeNotification(b);
  TComponent::Free(composer);
  EXPECT_EQ(a->Composer(), nullptr);
  EXPECT_EQ(b->Composer(), nullptr);
  EXPECT_EQ(owner->ComponentCount(), 2);
}
