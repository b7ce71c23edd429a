// Form data: every kind of property through writer and reader, the byte
// layout, reference fix-ups, Loaded, and failures that leave nothing behind.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Stream.h"
#include "forms/core/Filer.h"
#include "forms/core/FormData.h"

using namespace forms;
using Bytes = std::vector<uint8_t>;

namespace {

std::vector<std::string> journal;

// A nested persistent object with a plain and a binary property.
class Inner : public TPersistent {
 public:
  int32_t size = 0;
  std::string blob;
  void DefineProperties(Filer& f) override {
    f.bindInteger("Size", size, 0);
    f.defineBinaryProperty(
        "Data",
        [this](base::Stream& s) {
          blob.assign(static_cast<size_t>(s.size()), '\0');
          s.readBuffer(blob.data(), blob.size());
        },
        [this](base::Stream& s) { s.writeBuffer(blob.data(), blob.size()); }, !blob.empty());
  }
};

class Thing : public TComponent {
 public:
  using TComponent::TComponent;
  const char* ClassName() const override { return "TThing"; }

  int32_t number = 0;
  bool flag = true;
  std::string text;
  std::string kind = "kOne";
  std::vector<std::string> options{"oA"};
  std::vector<std::string> lines;
  TComponent* other = nullptr;
  TNotifyEvent OnPing;
  Inner inner;

  void DefineProperties(Filer& f) override {
    TComponent::DefineProperties(f);
    f.bindInteger("Number", number, 0);
    f.bindBoolean("Flag", flag, true);
    f.bindString("Text", text);
    f.defineIdent("Kind", [this] { return kind; }, [this](const std::string& v) {
      if (v != "kOne" && v != "kTwo") throw EFilerError(msg::InvalidPropertyValue);
      kind = v;
    }, "kOne");
    f.defineSet("Options", [this] { return options; }, [this](const Filer::Strings& v) { options = v; });
    f.defineStrings("Lines", [this] { return lines; }, [this](const Filer::Strings& v) { lines = v; });
    f.defineComponent("Other", [this] { return other; }, [this](TComponent* const& v) {
      journal.push_back(Name() + ".Other=" + (v ? v->Name() : "nil") + (IsLoading() ? " loading" : ""));
      other = v;
    });
    f.defineEvent("OnPing", OnPing);
    f.defineObject("Inner", inner);
  }
  void Loaded() override {
    TComponent::Loaded();
    journal.push_back("Loaded " + Name());
  }

 protected:
  ~Thing() override = default;
};

class Root : public TComponent {
 public:
  explicit Root(TComponent* owner = nullptr) : TComponent(owner) {
    PublishMethod<TObject*>("Ping", [this](TObject* sender) { pinged = sender; });
  }
  const char* ClassName() const override { return "TRoot"; }
  void Loaded() override {
    TComponent::Loaded();
    journal.push_back("Loaded root");
  }
  TObject* pinged = nullptr;

 protected:
  ~Root() override = default;
};

struct Registration {
  Registration() { RegisterClass<Thing>("TThing"); }
} registration;

Bytes save(TComponent& root) {
  base::MemoryStream s;
  WriteComponent(s, root);
  return s.bytes();
}

std::string load(TComponent& root, const Bytes& bytes) {
  base::MemoryStream s(bytes);
  try {
    ReadComponent(s, root);
  } catch (const std::exception& e) {
    return e.what();
  }
  return "";
}

void appendShort(Bytes& b, const std::string& s) {
  b.push_back(static_cast<uint8_t>(s.size()));
  b.insert(b.end(), s.begin(), s.end());
}

// A root named Form1 holding two things that refer to each other and to the root.
Bytes sampleForm() {
  const ComponentPtr<Root> root(new Root);
  root->SetName("Form1");
  auto* first = new Thing(root.get());
  first->SetName("First");
  auto* second = new Thing(root.get());
  second->SetName("Second");
  first->number = -7;
  first->flag = false;
  first->text = std::string("two\0bytes", 9);
  first->kind = "kTwo";
  first->options = {};
  first->lines = {"one", "", "three"};
  first->other = second;  // read after First: set by the fix-up
  first->OnPing.set("Ping", {});
  first->inner.size = 3;
  first->inner.blob = "\x01\x02\x03";
  second->other = root.get();
  return save(*root);
}

// Form data of an unnamed TRoot holding TThing components named `names`, side
// by side or each inside the one before.
Bytes rootOfThings(const std::vector<std::string>& names, bool nested) {
  Bytes data = {'Q', 'A', 'F', '1'};
  appendShort(data, "TRoot");
  appendShort(data, "");
  data.push_back(0);
  for (const std::string& name : names) {
    appendShort(data, "TThing");
    appendShort(data, name);
    data.push_back(0);               // the end of its properties
    if (!nested) data.push_back(0);  // the end of its components
  }
  data.insert(data.end(), nested ? names.size() + 1 : 1, 0);
  return data;
}

}  // namespace

TEST(FormData, EveryKindOfPropertyRoundTrips) {
  const Bytes bytes = sampleForm();
  journal.clear();
  const ComponentPtr<Root> root(new Root);
  ASSERT_EQ(load(*root, bytes), "");
  EXPECT_EQ(root->Name(), "Form1");
  ASSERT_EQ(root->ComponentCount(), 2);
  auto* first = dynamic_cast<Thing*>(root->FindComponent("First"));
  auto* second = dynamic_cast<Thing*>(root->FindComponent("Second"));
  ASSERT_TRUE(first && second);
  EXPECT_EQ(first->number, -7);
  EXPECT_FALSE(first->flag);
  EXPECT_EQ(first->text, std::string("two\0bytes", 9));
  EXPECT_EQ(first->kind, "kTwo");
  EXPECT_TRUE(first->options.empty());
  EXPECT_EQ(first->lines, (std::vector<std::string>{"one", "", "three"}));
  EXPECT_EQ(first->other, second);
  EXPECT_EQ(second->other, root.get());
  EXPECT_EQ(first->inner.size, 3);
  EXPECT_EQ(first->inner.blob, "\x01\x02\x03");
  EXPECT_EQ(second->options, (std::vector<std::string>{"oA"}));
  EXPECT_EQ(first->OnPing.handlerName(), "Ping");
  first->OnPing(first);
  EXPECT_EQ(root->pinged, first);
  EXPECT_FALSE(second->OnPing);

  // References are set once everything is read, still in the loading state; then Loaded, root first.
  EXPECT_EQ(journal, (std::vector<std::string>{"First.Other=Second loading", "Second.Other=Form1 loading",
                                               "Loaded root", "Loaded First", "Loaded Second"}));
  EXPECT_FALSE(root->IsLoading());
  EXPECT_FALSE(first->IsLoading());
  EXPECT_EQ(save(*root), bytes);
}

TEST(FormData, LayoutOfASmallForm) {
  const ComponentPtr<Root> root(new Root);
  auto* t = new Thing(root.get());
  t->SetName("T1");
  t->number = 5;
  t->inner.blob = "ab";
  Bytes expected = {'Q', 'A', 'F', '1'};
  appendShort(expected, "TRoot");
  appendShort(expected, "");
  expected.push_back(0);  // no properties
  appendShort(expected, "TThing");
  appendShort(expected, "T1");
  appendShort(expected, "Number");
  expected.insert(expected.end(), {0x04, 5, 0, 0, 0});
  appendShort(expected, "Options");
  expected.insert(expected.end(), {0x0B, 2, 'o', 'A', 0});
  appendShort(expected, "Inner.Data");
  expected.insert(expected.end(), {0x0A, 2, 0, 0, 0, 'a', 'b'});
  expected.insert(expected.end(), {0, 0});  // end of T1's properties, of its children
  expected.push_back(0);                    // end of the root's children
  EXPECT_EQ(save(*root), expected);
}

TEST(FormData, BadDataFailsAndLeavesNoComponents) {
  const Bytes good = sampleForm();
  auto expectFailure = [](const Bytes& bytes, const std::string& message) {
    const ComponentPtr<Root> root(new Root);
    EXPECT_EQ(load(*root, bytes), message);
    EXPECT_EQ(root->ComponentCount(), 0);
    EXPECT_EQ(root->ComponentState(), 0u);
  };
  for (size_t cut = 0; cut < good.size(); ++cut) {
    SCOPED_TRACE(cut);
    expectFailure(Bytes(good.begin(), good.begin() + cut), "Invalid stream format");
  }

  auto replaced = [&](const std::string& from, const std::string& to) {
    Bytes b = good;
    const auto at = std::search(b.begin(), b.end(), from.begin(), from.end());
    EXPECT_NE(at, b.end());
    std::copy(to.begin(), to.end(), at);
    return b;
  };
  expectFailure(replaced("QAF1", "QAF2"), "Invalid stream format");
  expectFailure(replaced("TRoot", "TRooT"), "Invalid stream format");
  expectFailure(replaced("\x06TThing", "\x06TThang"), "Class TThang not found");
  expectFailure(replaced("Number", "Numbex"), "Property Numbex does not exist");
  expectFailure(replaced("\x04Kind\x07\x04kTwo", "\x04Kind\x07\x04kSix"), "Invalid property value");
  expectFailure(replaced("\x06Number\x04", "\x06Number\x09"), "Invalid property value");
  expectFailure(replaced("\x05Other\x07\x06Second", "\x05Other\x07\x06Secont"), "Component Secont not found");
  expectFailure(replaced("\x04Ping", "\x04Pong"), "Method Pong not found");
  expectFailure(replaced("\x05" "First", "\x05" "1irst"), "\"1irst\" is not a valid component name");

  expectFailure(rootOfThings({"Same", "Same"}, false), "A component named Same already exists");
  // Components nested deeper than the reader allows.
  expectFailure(rootOfThings(std::vector<std::string>(40, ""), true), "Invalid stream format");
}

TEST(FormData, NullReferencesAndEmptyHandlersAreNotWritten) {
  const ComponentPtr<Root> root(new Root);
  auto* t = new Thing(root.get());
  t->SetName("T");
  const Bytes bytes = save(*root);
  const std::string text(bytes.begin(), bytes.end());
  EXPECT_EQ(text.find("Other"), std::string::npos);
  EXPECT_EQ(text.find("OnPing"), std::string::npos);
  EXPECT_EQ(text.find("Lines"), std::string::npos);
  EXPECT_EQ(text.find("Inner"), std::string::npos);
}
