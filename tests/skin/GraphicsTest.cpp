// The graphics collection: batching, look-up by name, list errors, copying,
// files and the form-data hook.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "base/Stream.h"
#include "forms/core/Filer.h"
#include "skin/VsGraphics.h"

#include "support/ErrorText.h"
#include "support/TempDir.h"
#include "support/Pictures.h"

using namespace skin;
using testsupport::TempDir;

namespace {

std::unique_ptr<TVsGraphic> entry(const std::string& name, const base::Bitmap& bitmap = {}) {
  auto g = std::make_unique<TVsGraphic>();
  g->SetName(name);
  g->Bitmap() = bitmap;
  return g;
}

// Counts OnChange calls of a collection.
struct Counter {
  explicit Counter(TVsPersistent& p) {
    p.OnChange = [this, &p](forms::TObject* sender) {
      EXPECT_EQ(sender, &p);
      ++calls;
    };
  }
  int calls = 0;
};

}  // namespace

TEST(VsPersistent, BatchesNestAndNotifyOnceAtTheOutermostEnd) {
  TVsPersistent p;
  Counter c(p);
  p.Changed();
  EXPECT_EQ(c.calls, 1);
  p.BeginUpdate();
  p.BeginUpdate();
  p.Changed();
  p.EndUpdate();
  EXPECT_EQ(c.calls, 1);
  EXPECT_EQ(p.UpdateCount(), 1);
  p.EndUpdate();
  EXPECT_EQ(c.calls, 2);
  // Closing a batch that is not open still notifies, and the count stays at 0.
  p.EndUpdate();
  EXPECT_EQ(c.calls, 3);
  EXPECT_EQ(p.UpdateCount(), 0);
}

TEST(VsGraphics, EachOperationNotifiesOncePerOutermostBatch) {
  TVsGraphics g;
  Counter c(g);
  const auto a = entry("a"), b = entry("b");
  EXPECT_EQ(g.Add(a.get()), 0);
  EXPECT_EQ(g.Add(b.get()), 1);
  EXPECT_EQ(c.calls, 2);
  g.Delete(0);
  EXPECT_EQ(c.calls, 3);
  EXPECT_EQ(g.Items(0)->Name(), "b");

  g.Add(a.get());
  g.Add(a.get());
  c.calls = 0;
  g.Clear();
  EXPECT_EQ(c.calls, 1);

  TVsGraphics three;
  for (const char* n : {"x", "y", "z"}) {
    const auto e = entry(n);
    three.Add(e.get());
  }
  c.calls = 0;
  g.Assign(&three);
  EXPECT_EQ(c.calls, 1);
  EXPECT_EQ(g.Count(), 3);
  EXPECT_EQ(g.Items(2)->Name(), "z");
  g.Assign(nullptr);
  EXPECT_EQ(c.calls, 2);
  EXPECT_EQ(g.Count(), 0);

  // Other sources are ignored; assigning a collection to itself keeps its entries.
  g.Assign(&three);
  c.calls = 0;
  g.Assign(a.get());
  g.Assign(&g);
  EXPECT_EQ(c.calls, 0);
  EXPECT_EQ(g.Count(), 3);

  // A foreign source yields an empty entry when added.
  TVsPersistent other;
  g.Add(&other);
  EXPECT_EQ(g.Items(3)->Name(), "");

  // A direct read notifies once for the clear and once per entry; ReadData once.
  base::MemoryStream s;
  three.SaveToStream(s);
  s.setPosition(0);
  c.calls = 0;
  g.LoadFromStream(s);
  EXPECT_EQ(c.calls, 4);
  s.setPosition(0);
  c.calls = 0;
  g.ReadData(s);
  EXPECT_EQ(c.calls, 1);
  c.calls = 0;
  base::MemoryStream out;
  g.WriteData(out);
  EXPECT_EQ(c.calls, 1);
  EXPECT_EQ(out.bytes(), s.bytes());
}

TEST(VsGraphics, FailuresCloseTheBatchAndDestructionTellsNobody) {
  TVsGraphics g;
  Counter c(g);
  base::MemoryStream bad(std::vector<uint8_t>{1, 2, 3, 4});
  EXPECT_EQ(errorOf([&] { g.ReadData(bad); }), "Invalid file format.");
  EXPECT_EQ(g.UpdateCount(), 0);
  EXPECT_EQ(c.calls, 1);

  auto* owned = new TVsGraphics;
  Counter d(*owned);
  const auto a = entry("a");
  owned->Add(a.get());
  d.calls = 0;
  delete owned;
  EXPECT_EQ(d.calls, 0);
}

TEST(VsGraphics, BadIndexesFailAndChangeNothing) {
  TVsGraphics g;
  const auto a = entry("a");
  g.Add(a.get());
  Counter c(g);
  EXPECT_EQ(errorOf([&] { g.Items(1); }), "List index out of bounds (1)");
  EXPECT_EQ(errorOf([&] { g.Items(-1); }), "List index out of bounds (-1)");
  EXPECT_EQ(errorOf([&] { g.Delete(3); }), "List index out of bounds (3)");
  EXPECT_EQ(g.Count(), 1);
  EXPECT_EQ(c.calls, 0);
}

TEST(VsGraphics, IndexOfIgnoresCaseAsWindows1252Does) {
  TVsGraphics g;
  for (const char* n : {"Other", "About1.bmp", "ABOUT1.BMP", "\xC9t\xE9", "\x8A\x9F", "\xD7"}) {
    const auto e = entry(n);
    g.Add(e.get());
  }
  EXPECT_EQ(g.IndexOf("about1.BMP"), 1);  // the lower of two equal names
  EXPECT_EQ(g.IndexOf("About1.bmp"), 1);
  EXPECT_EQ(g.IndexOf("About1"), -1);
  EXPECT_EQ(g.IndexOf("\xE9T\xC9"), 3);   // été / ÉTÉ
  EXPECT_EQ(g.IndexOf("\x9A\xFF"), 4);    // šÿ / ŠŸ
  EXPECT_EQ(g.IndexOf("\xF7"), -1);       // ÷ is not the small form of ×
  EXPECT_EQ(g.IndexOf(""), -1);
  TVsGraphics none;
  EXPECT_EQ(none.IndexOf("x"), -1);
}

TEST(VsGraphics, EntryAssignCopiesNameAndPictureOnly) {
  const auto a = entry("a", testsupport::patternedBitmap(2, 2));
  TVsGraphic b;
  int calls = 0;
  b.OnChange = [&](forms::TObject*) { ++calls; };
  b.Assign(a.get());
  EXPECT_EQ(b.Name(), "a");
  EXPECT_EQ(b.Bitmap(), a->Bitmap());
  EXPECT_EQ(calls, 1);
  TVsGraphics notAnEntry;
  b.Assign(&notAnEntry);
  b.Assign(nullptr);
  EXPECT_EQ(b.Name(), "a");
}

TEST(VsGraphics, FilesRoundTripAndFailuresLeaveTheCollection) {
  TempDir dir;
  TVsGraphics g;
  const auto a = entry("About1.bmp", testsupport::patternedBitmap(5, 4)), b = entry("second");
  g.Add(a.get());
  g.Add(b.get());
  const std::string path = dir.path("skin.vsg");
  {
    std::ofstream(path) << "old content that is longer than nothing at all, to be replaced entirely";
  }
  g.SaveToFile(path);

  TVsGraphics back;
  Counter c(back);
  back.LoadFromFile(path);
  EXPECT_EQ(c.calls, 1);
  ASSERT_EQ(back.Count(), 2);
  EXPECT_EQ(back.Items(0)->Bitmap(), a->Bitmap());
  EXPECT_EQ(back.Items(1)->Name(), "second");

  const std::string missing = dir.path("missing.vsg");
  // The system's own reason follows the file name; its wording differs between systems.
  EXPECT_EQ(errorOf([&] { back.LoadFromFile(missing); }).rfind("Cannot open file \"" + missing + "\". ", 0), 0u);
  EXPECT_EQ(back.Count(), 2);
  const std::string noFolder = dir.path("nofolder/x.vsg");
  EXPECT_EQ(errorOf([&] { back.SaveToFile(noFolder); }).rfind("Cannot create file \"" + noFolder + "\". ", 0), 0u);
  EXPECT_EQ(c.calls, 1);
}

namespace {
// Records what a persistent object defines for form data.
struct BinaryRecorder : forms::Filer {
  void defineInteger(std::string_view, Getter<int32_t>, Setter<int32_t>, std::optional<int32_t>) override { ++other; }
  void defineBoolean(std::string_view, Getter<bool>, Setter<bool>, std::optional<bool>) override { ++other; }
  void defineString(std::string_view, Getter<std::string>, Setter<std::string>, std::optional<std::string>) override {
    ++other;
  }
  void defineIdent(std::string_view, Getter<std::string>, Setter<std::string>, std::optional<std::string>) override {
    ++other;
  }
  void defineSet(std::string_view, Getter<Strings>, Setter<Strings>) override { ++other; }
  void defineStrings(std::string_view, Getter<Strings>, Setter<Strings>) override { ++other; }
  void defineComponent(std::string_view, Getter<forms::TComponent*>, Setter<forms::TComponent*>) override { ++other; }
  void defineEvent(std::string_view, forms::EventSlot&) override { ++other; }
  void defineObject(std::string_view, forms::TPersistent&) override { ++other; }
  void defineBinaryProperty(std::string_view name, std::function<void(base::Stream&)>,
                            std::function<void(base::Stream&)>, bool data) override {
    names.emplace_back(name);
    hasData = data;
  }
  std::vector<std::string> names;
  bool hasData = false;
  int other = 0;
};
}  // namespace

TEST(VsGraphics, DefinesOneBinaryPropertyStoredOnlyWithEntries) {
  TVsGraphics g;
  BinaryRecorder empty;
  g.DefineProperties(empty);
  EXPECT_EQ(empty.names, std::vector<std::string>{"Graphics"});
  EXPECT_FALSE(empty.hasData);
  EXPECT_EQ(empty.other, 0);
  const auto e = entry("");
  g.Add(e.get());
  BinaryRecorder one;
  g.DefineProperties(one);
  EXPECT_TRUE(one.hasData);
}
