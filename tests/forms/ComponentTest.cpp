// Components: ownership, names, removal notices and the destruction steps.
#include <gtest/gtest.h>

#include <string>
#include <type_traits>
#include <vector>

#include "forms/core/Classes.h"
#include "forms/core/IniFiles.h"

#include "support/ErrorText.h"

using namespace forms;

namespace {

std::vector<std::string> events;

class Probe : public TComponent {
 public:
  Probe(TComponent* owner, std::string name) : TComponent(owner) { SetName(name); }
  void Notification(TComponent* c, TOperation op) override {
    TComponent::Notification(c, op);
    if (op == TOperation::opRemove) events.push_back(Name() + " hears " + c->Name() + (IsDestroying() ? " (dying)" : ""));
  }

 protected:
  ~Probe() override { events.push_back("~" + Name()); }
};

}  // namespace

TEST(Component, OwnerDestroysOwnedLastFirstAndTellsTheOthers) {
  events.clear();
  auto* owner = new Probe(nullptr, "Owner");
  new Probe(owner, "A");
  auto* b = new Probe(owner, "B");
  new Probe(owner, "C");
  new Probe(b, "B1");
  EXPECT_EQ(owner->ComponentCount(), 3);

  TComponent::Free(owner->FindComponent("c"));
  // The owner passes the notice down before it acts on it itself.
  EXPECT_EQ(events, (std::vector<std::string>{"A hears C", "B1 hears C", "B hears C", "Owner hears C", "~C"}));

  events.clear();
  TComponent::Free(owner);
  // Everyone is marked before the first goes; B's own component goes with B.
  EXPECT_EQ(events, (std::vector<std::string>{"B hears B1 (dying)", "~B1", "A hears B (dying)", "Owner hears B (dying)",
                                              "~B", "Owner hears A (dying)", "~A", "~Owner"}));
}

TEST(Component, NamesAreIdentifiersUniqueIgnoringCase) {
  const ComponentPtr<TComponent> owner(new TComponent(nullptr));
  auto* a = new TComponent(owner.get());
  a->SetName("Button1");
  auto* b = new TComponent(owner.get());
  EXPECT_EQ(errorOf([&] { b->SetName("BUTTON1"); }), "A component named BUTTON1 already exists");
  EXPECT_EQ(errorOf([&] { b->SetName("1st"); }), "\"1st\" is not a valid component name");
  EXPECT_EQ(errorOf([&] { b->SetName("a b"); }), "\"a b\" is not a valid component name");
  b->SetName("_x2");
  a->SetName("button1");  // renaming itself in other case is fine
  EXPECT_EQ(owner->FindComponent("BUTTON1"), a);
  EXPECT_EQ(owner->FindComponent(""), nullptr);
  EXPECT_EQ(owner->IndexOfComponent(b), 1);
  EXPECT_EQ(errorOf([&] { owner->Components(2); }), "List index out of bounds (2)");
}

TEST(Component, FreeNotificationReachesComponentsOfAnotherOwner) {
  events.clear();
  const ComponentPtr<Probe> left(new Probe(nullptr, "Left"));
  const ComponentPtr<Probe> right(new Probe(nullptr, "Right"));
  auto* watched = new Probe(left.get(), "Watched");
  auto* watcher = new Probe(right.get(), "Watcher");
  watched->FreeNotification(watcher);
  TComponent::Free(watched);
  EXPECT_EQ(events, (std::vector<std::string>{"Left hears Watched", "Watcher hears Watched", "~Watched"}));

  // The link goes both ways and is dropped when either side goes.
  auto* other = new Probe(left.get(), "Other");
  other->FreeNotification(watcher);
  TComponent::Free(watcher);
  events.clear();
  TComponent::Free(other);
  EXPECT_EQ(events, (std::vector<std::string>{"Left hears Other", "~Other"}));
}

// Free is the only way: a plain delete or a component on the stack does not compile.
static_assert(!std::is_destructible_v<TComponent> && !std::is_destructible_v<Probe>);

TEST(Component, FreeRunsTheRemovalStepBeforeTheDestructors) {
  events.clear();
  const ComponentPtr<Probe> owner(new Probe(nullptr, "Owner"));
  TComponent::Free(new Probe(owner.get(), "Gone"));
  EXPECT_EQ(owner->ComponentCount(), 0);
  EXPECT_EQ(events, (std::vector<std::string>{"Owner hears Gone", "~Gone"}));
}

TEST(MemIniFile, ReadsWritesAndIgnoresCaseOfNames) {
  TMemIniFile ini;
  ini.SetStrings({"[Skin]", "Left=10", " Name = About ", "junk", "[Other]", "On=1"});
  EXPECT_EQ(ini.ReadInteger("skin", "LEFT", 0), 10);
  EXPECT_EQ(ini.ReadString("Skin", "Name", "?"), " About");
  EXPECT_TRUE(ini.ReadBool("other", "on", false));
  EXPECT_EQ(ini.ReadInteger("Skin", "Name", -1), -1);
  ini.WriteInteger("Skin", "left", 20);
  ini.WriteString("New", "K", "v");
  ini.DeleteKey("Skin", "Name");
  ini.EraseSection("Other");
  EXPECT_EQ(ini.GetStrings(), (std::vector<std::string>{"[Skin]", "Left=20", "", "[New]", "K=v", ""}));
  EXPECT_FALSE(ini.SectionExists("other"));
  EXPECT_TRUE(ini.ValueExists("new", "k"));
}
