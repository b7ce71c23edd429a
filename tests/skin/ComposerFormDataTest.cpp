// A composer's pictures in form data, alone and on a form with a control and a timer.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "base/Stream.h"
#include "forms/Controls.h"
#include "forms/core/FormData.h"
#include "tests/skin/GraphicEntries.h"
#include "skin/VsComposer.h"
#include "skin/VsCustomControl.h"
#include "support/Pictures.h"

using namespace skin;
using skin_test::addGraphic;
using Bytes = std::vector<uint8_t>;

namespace {

class Holder : public forms::TComponent {
 public:
  using forms::TComponent::TComponent;
  const char* ClassName() const override { return "THolder"; }
};

// Stands in for a skin control: names a composer and a picture.
class PictureControl : public TVsCustomControl {
 public:
  using TVsCustomControl::TVsCustomControl;
  const char* ClassName() const override { return "TPictureControl"; }
  forms::TComponent* composer = nullptr;
  std::string graphicName;
  bool composerKnownInLoaded = false;
  void DefineProperties(forms::Filer& f) override {
    TVsCustomControl::DefineProperties(f);
    f.bindString("GraphicName", graphicName);
    f.defineComponent("Composer", [this] { return composer; }, [this](forms::TComponent* const& v) { composer = v; });
  }
  void Loaded() override {
    TVsCustomControl::Loaded();
    composerKnownInLoaded = composer != nullptr;
  }

 protected:
  ~PictureControl() override = default;
};

class AboutLikeForm : public forms::TForm {
 public:
  explicit AboutLikeForm(forms::TComponent* owner) : forms::TForm(owner) {
    PublishMethod<forms::TObject*>("Timer1Timer", [this](forms::TObject*) { ++ticks; });
    PublishMethod<forms::TObject*>("VsSkin1Click", [this](forms::TObject*) { ++clicks; });
    PublishMethod<forms::TObject*>("FormCreate", [this](forms::TObject*) { created = !IsLoading(); });
  }
  const char* ClassName() const override { return "TAboutLikeForm"; }
  int ticks = 0;
  int clicks = 0;
  bool created = false;

 protected:
  ~AboutLikeForm() override = default;
};

struct Registration {
  Registration() {
    RegisterSkinClasses();
    forms::RegisterFormClasses();
    forms::RegisterClass<PictureControl>("TPictureControl");
  }
} registration;

Bytes save(forms::TComponent& root) {
  base::MemoryStream s;
  forms::WriteComponent(s, root);
  return s.bytes();
}

// Reads form data into root and returns root's composer VsComposer1, or null.
TVsComposer* loadComposer(const Bytes& bytes, forms::TComponent& root) {
  base::MemoryStream in(bytes);
  forms::ReadComponent(in, root);
  return dynamic_cast<TVsComposer*>(root.FindComponent("VsComposer1"));
}

}  // namespace

TEST(ComposerFormData, PicturesAreStoredUnderGraphicsGraphics) {
  forms::RegisterClass<Holder>("THolder");
  const forms::ComponentPtr<Holder> root(new Holder(nullptr));
  auto* composer = new TVsComposer(root.get());
  composer->SetName("VsComposer1");
  addGraphic(*composer->Graphics(), "About1.bmp", testsupport::patternedBitmap(200, 220, 1));
  addGraphic(*composer->Graphics(), "second", testsupport::patternedBitmap(3, 5, 2));
  int notified = 0;
  TVsChangeLink link;
  link.OnChange = [&](forms::TObject*) { ++notified; };
  composer->RegisterChanges(&link);

  const Bytes bytes = save(*root);
  EXPECT_EQ(notified, 1);  // writing ends with a change notification

  base::MemoryStream graphics;
  composer->Graphics()->SaveToStream(graphics);
  // The short-string path, the binary value byte, the byte count, the graphics stream.
  const std::string path = "Graphics.Graphics";
  const uint32_t n = static_cast<uint32_t>(graphics.size());
  std::string expectedText = char(path.size()) + path + '\x0A';
  for (int i = 0; i < 4; ++i) expectedText += static_cast<char>(n >> (8 * i));
  expectedText.append(graphics.bytes().begin(), graphics.bytes().end());
  const Bytes expected(expectedText.begin(), expectedText.end());
  EXPECT_NE(std::search(bytes.begin(), bytes.end(), expected.begin(), expected.end()), bytes.end());

  const forms::ComponentPtr<Holder> back(new Holder(nullptr));
  TVsComposer* read = loadComposer(bytes, *back);
  ASSERT_NE(read, nullptr);
  ASSERT_EQ(read->Graphics()->Count(), 2);
  EXPECT_EQ(read->Graphics()->Items(0)->Name(), "About1.bmp");
  EXPECT_EQ(read->Graphics()->Items(0)->Bitmap(), testsupport::patternedBitmap(200, 220, 1));
  EXPECT_EQ(read->Graphics()->Items(1)->Bitmap(), testsupport::patternedBitmap(3, 5, 2));

  // A composer without pictures stores nothing but its name.
  const forms::ComponentPtr<Holder> empty(new Holder(nullptr));
  (new TVsComposer(empty.get()))->SetName("C");
  const Bytes small = save(*empty);
  EXPECT_EQ(std::search(small.begin(), small.end(), path.begin(), path.end()), small.end());
}

TEST(ComposerFormData, AFormWithControlComposerAndTimerRoundTrips) {
  Bytes bytes;
  {
    const forms::ComponentPtr<AboutLikeForm> form(new AboutLikeForm(nullptr));
    form->SetName("AboutForm");
    form->SetCaption("About");
    form->SetBorderStyle("bsNone");
    form->SetClientWidth(200);
    form->SetClientHeight(243);
    form->OnCreate.set("FormCreate", {});
    auto* control = new PictureControl(form.get());
    control->SetName("VsSkin1");
    control->SetParent(form.get());
    control->SetBounds(0, 0, 200, 220);
    control->graphicName = "About1.bmp";
    control->OnClick.set("VsSkin1Click", {});
    auto* composer = new TVsComposer(form.get());
    composer->SetName("VsComposer1");
    addGraphic(*composer->Graphics(), "About1.bmp", testsupport::patternedBitmap(200, 220, 3));
    control->composer = composer;
    auto* timer = new forms::TTimer(form.get());
    timer->SetName("Timer1");
    timer->SetEnabled(false);
    timer->SetInterval(100);
    timer->OnTimer.set("Timer1Timer", {});
    bytes = save(*form);
  }
  const forms::ComponentPtr<AboutLikeForm> form(new AboutLikeForm(nullptr));
  base::MemoryStream in(bytes);
  form->ReadFormData(in);
  EXPECT_TRUE(form->created);  // after loading ended
  EXPECT_EQ(form->Caption(), "About");
  EXPECT_EQ(form->BorderStyle(), "bsNone");
  EXPECT_TRUE(form->windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(form->ClientHeight(), 243);
  auto* control = dynamic_cast<PictureControl*>(form->FindComponent("VsSkin1"));
  auto* composer = dynamic_cast<TVsComposer*>(form->FindComponent("VsComposer1"));
  auto* timer = dynamic_cast<forms::TTimer*>(form->FindComponent("Timer1"));
  ASSERT_TRUE(control && composer && timer);
  EXPECT_EQ(control->Parent(), form.get());
  EXPECT_EQ(control->Width(), 200);
  EXPECT_EQ(control->Height(), 220);
  EXPECT_EQ(control->composer, composer);
  EXPECT_TRUE(control->composerKnownInLoaded);
  EXPECT_EQ(control->graphicName, "About1.bmp");
  EXPECT_EQ(composer->Graphics()->Count(), 1);
  EXPECT_FALSE(timer->Enabled());
  EXPECT_EQ(timer->Interval(), 100);
  timer->OnTimer(timer);
  control->OnClick(control);
  EXPECT_EQ(form->ticks, 1);
  EXPECT_EQ(form->clicks, 1);
  EXPECT_EQ(save(*form), bytes);
}

TEST(ComposerFormData, TheDesignersPositionIsReadAndKept) {
  forms::RegisterClass<Holder>("THolder");
  const auto shortString = [](const std::string& s) { return char(s.size()) + s; };
  const auto int32 = [](uint32_t v) {
    std::string out(1, '\x04');
    for (int i = 0; i < 4; ++i) out += static_cast<char>(v >> (8 * i));
    return out;
  };
  // A holder owning one composer that stands at (48, 8) in the designer.
  const std::string text = "QAF1" + shortString("THolder") + shortString("Root") + '\0' + shortString("TVsComposer") +
                           shortString("VsComposer1") + shortString("Left") + int32(48) + shortString("Top") +
                           int32(8) + std::string(3, '\0');
  const Bytes bytes(text.begin(), text.end());
  const forms::ComponentPtr<Holder> root(new Holder(nullptr));
  TVsComposer* composer = loadComposer(bytes, *root);
  ASSERT_NE(composer, nullptr);
  EXPECT_EQ(composer->Graphics()->Count(), 0);
  EXPECT_EQ(save(*root), bytes);
}
