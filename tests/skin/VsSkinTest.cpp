#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QMouseEvent>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "base/Stream.h"
#include "forms/core/FormData.h"
#include "tests/skin/GraphicEntries.h"
#include "skin/Messages.h"
#include "skin/VsSkin.h"
#include "support/Pictures.h"

using skin::TVsComposer;
using skin::TVsGraphic;
using skin::TVsSkin;
using skin_test::addGraphic;

namespace {

constexpr uint32_t kBlue = 0x00C04020;  // 0x00BBGGRR


void fillRect(base::Bitmap& bm, const QRect& r, uint32_t color) {
  const base::Bitmap patch = testsupport::plainBitmap(r.width(), r.height(), color);
  for (int y = 0; y < r.height(); ++y)
    std::memcpy(bm.scanLine(r.top() + y) + static_cast<size_t>(r.left()) * 3, patch.scanLine(y),
                static_cast<size_t>(r.width()) * 3);
}

// A form that publishes handlers, so that stored events can be bound.
class TSkinTestForm : public forms::TForm {
 public:
  explicit TSkinTestForm(forms::TComponent* owner) : forms::TForm(owner) {
    const auto readWrite = [this](forms::TObject*, skin::TVsIni*) { ++raised; };
    PublishMethod<forms::TObject*, skin::TVsIni*>("SkinRead", readWrite);
    PublishMethod<forms::TObject*, skin::TVsIni*>("SkinWrite", readWrite);
    PublishMethod<forms::TObject*>("SkinClick", [this](forms::TObject*) { ++raised; });
  }
  const char* ClassName() const override { return "TSkinTestForm"; }
  int raised = 0;

 protected:
  ~TSkinTestForm() override = default;
};

// Counts the form moves it would hand to the window system.
class CountingSkin : public TVsSkin {
 public:
  using TVsSkin::TVsSkin;
  int moves = 0;

 protected:
  ~CountingSkin() override = default;
  void StartFormMove() override { ++moves; }
};

class VsSkin : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    forms::RegisterFormClasses();
    skin::RegisterSkinClasses();
    skin::RegisterSkinControl();
  }

  // A form owning a skin and a composer with one 200 by 220 picture, as the about box has.
  void makeSkinnedForm(const base::Bitmap& bm = testsupport::plainBitmap(200, 220, kBlue)) {
    form.reset(new TSkinTestForm(nullptr));
    form->SetClientWidth(400);
    form->SetClientHeight(300);
    skinControl = new CountingSkin(form.get());
    skinControl->SetParent(form.get());
    composer = new TVsComposer(form.get());
    addGraphic(*composer->Graphics(), "About1.bmp", bm);
    skinControl->SetComposer(composer);
    skinControl->SetGraphicName("About1.bmp");
  }

  static QColor pixelShown(QWidget& w, int x, int y) { return w.grab().toImage().pixelColor(x, y); }

  forms::ComponentPtr<TSkinTestForm> form;
  CountingSkin* skinControl = nullptr;
  TVsComposer* composer = nullptr;
};

TEST_F(VsSkin, NewControlHasItsDefaultsAndStaysAtTheOrigin) {
  forms::ComponentPtr<TVsSkin> s(new TVsSkin(nullptr));
  EXPECT_EQ(s->geometry(), QRect(0, 0, 300, 200));
  EXPECT_EQ(s->MaskColor(), forms::clNone);
  EXPECT_TRUE(s->FormDrag());
  EXPECT_EQ(s->Composer(), nullptr);
  EXPECT_EQ(s->Graphic(), nullptr);
  EXPECT_EQ(s->RgnData().Size(), 0);

  s->SetLeft(50);
  s->SetTop(7);
  EXPECT_EQ(s->geometry(), QRect(0, 0, 300, 200));
  s->SetBounds(10, 20, 120, 80);
  EXPECT_EQ(s->geometry(), QRect(0, 0, 120, 80));
}

TEST_F(VsSkin, GoesOnlyOnAFormWhichLosesItsBorder) {
  forms::ComponentPtr<forms::TForm> f(new forms::TForm(nullptr));
  auto* s = new TVsSkin(f.get());
  s->SetParent(f.get());
  EXPECT_EQ(f->BorderStyle(), "bsNone");
  EXPECT_TRUE(f->windowFlags().testFlag(Qt::FramelessWindowHint));
  EXPECT_EQ(s->Form(), f.get());
  EXPECT_EQ(s->parentWidget(), f.get());

  auto* panel = new forms::TCustomControl(f.get());
  panel->SetParent(f.get());
  try {
    s->SetParent(panel);
    FAIL() << "placed on a panel";
  } catch (const base::Exception& e) {
    EXPECT_STREQ(e.what(), "TVsSkin needs to be placed on a form.");
  }
  EXPECT_EQ(s->parentWidget(), f.get());
  EXPECT_EQ(s->Form(), f.get());

  // Taken off its form, the control no longer sizes that form.
  s->SetParent(nullptr);
  EXPECT_EQ(s->Form(), nullptr);
}

TEST_F(VsSkin, PlacedOnAShownFormKeepsItShown) {
  for (bool shown : {true, false}) {
    forms::ComponentPtr<forms::TForm> f(new forms::TForm(nullptr));
    f->setVisible(shown);
    auto* s = new TVsSkin(f.get());
    s->SetParent(f.get());
    EXPECT_TRUE(f->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(f->isVisible(), shown);
  }
}

TEST_F(VsSkin, PaintsAndSizesFromTheEntrysCurrentBitmap) {
  makeSkinnedForm();
  skinControl->SetMaskColor(forms::clWhite);
  ASSERT_EQ(form->mask(), QRegion(0, 0, 200, 220));
  // Replaced without a notification: a 1-bit picture, blue on the left, red from x = 60 on.
  base::Bitmap mono(120, 90, base::PixelFormat::Indexed1);
  mono.palette() = {{0xC0, 0x40, 0x20, 0}, {0x00, 0x00, 0xFF, 0}};
  for (int y = 0; y < 90; ++y)
    for (int x = 60; x < 120; ++x) mono.scanLine(y)[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
  composer->Graphics()->Items(0)->Bitmap() = mono;
  EXPECT_EQ(pixelShown(*skinControl, 59, 10), QColor(0x20, 0x40, 0xC0));
  EXPECT_EQ(pixelShown(*skinControl, 60, 89), QColor(0xFF, 0x00, 0x00));
  skinControl->SetBounds(5, 5, 300, 300);
  EXPECT_EQ(skinControl->geometry(), QRect(0, 0, 120, 90));
  EXPECT_EQ(form->mask(), QRegion(0, 0, 200, 220));

  // The next notification rebuilds the region and fits the form to the picture.
  addGraphic(*composer->Graphics(), "Other.bmp", testsupport::plainBitmap(1, 1, kBlue));
  EXPECT_EQ(form->mask(), QRegion(0, 0, 120, 90));
  EXPECT_EQ(form->ClientWidth(), 120);
  EXPECT_EQ(form->ClientHeight(), 90);
}

TEST_F(VsSkin, ControlAndFormTakeThePictureSizeWhateverWasAsked) {
  makeSkinnedForm();
  EXPECT_EQ(skinControl->geometry(), QRect(0, 0, 200, 220));
  EXPECT_EQ(form->ClientWidth(), 200);
  EXPECT_EQ(form->ClientHeight(), 220);
  skinControl->SetBounds(30, 40, 500, 10);
  EXPECT_EQ(skinControl->geometry(), QRect(0, 0, 200, 220));
  EXPECT_EQ(pixelShown(*skinControl, 100, 100), QColor(0x20, 0x40, 0xC0));
  EXPECT_EQ(pixelShown(*skinControl, 199, 219), QColor(0x20, 0x40, 0xC0));
}

TEST_F(VsSkin, MaskColourCutsItsPixelsAwayAndNoneRestoresTheRectangle) {
  base::Bitmap bm = testsupport::plainBitmap(200, 220, kBlue);
  fillRect(bm, QRect(0, 0, 10, 10), forms::clWhite);
  makeSkinnedForm(bm);
  EXPECT_TRUE(form->mask().isEmpty());

  skinControl->SetMaskColor(forms::clWhite);
  EXPECT_EQ(form->mask(), QRegion(0, 0, 200, 220).subtracted(QRegion(0, 0, 10, 10)));
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);  // the scan's hourglass is gone again

  skinControl->SetMaskColor(forms::clNone);
  EXPECT_TRUE(form->mask().isEmpty());
  EXPECT_EQ(skinControl->RgnData().Size(), 0);

  // A picture entirely of the mask colour keeps the form rectangular, not invisible.
  base::Bitmap white = testsupport::plainBitmap(200, 220, forms::clWhite);
  composer->Graphics()->Clear();
  addGraphic(*composer->Graphics(), "About1.bmp", white);
  skinControl->SetMaskColor(forms::clWhite);
  EXPECT_NE(skinControl->Graphic(), nullptr);
  EXPECT_TRUE(form->mask().isEmpty());
  EXPECT_EQ(skinControl->RgnData().Size(), 0);
}

TEST_F(VsSkin, GraphicNameRebuildsOnlyOnARealChange) {
  makeSkinnedForm();
  skinControl->SetMaskColor(forms::clWhite);
  ASSERT_FALSE(form->mask().isEmpty());
  // Changed behind the composer's back, so only a rebuild can show the new size.
  composer->Graphics()->Items(0)->Bitmap() = testsupport::plainBitmap(50, 60, kBlue);

  skinControl->SetGraphicName("About1.bmp");
  EXPECT_EQ(skinControl->geometry(), QRect(0, 0, 200, 220));

  skinControl->SetGraphicName("about1.BMP");
  EXPECT_EQ(skinControl->Graphic(), composer->Graphics()->Items(0));
  EXPECT_EQ(skinControl->geometry(), QRect(0, 0, 50, 60));
  EXPECT_EQ(form->mask(), QRegion(0, 0, 50, 60));

  skinControl->SetGraphicName("Missing.bmp");
  EXPECT_EQ(skinControl->Graphic(), nullptr);
  EXPECT_TRUE(form->mask().isEmpty());
  EXPECT_EQ(skinControl->geometry(), QRect(0, 0, 50, 60));
  // The dotted placeholder: an outline on the window colour.
  const QImage shown = skinControl->grab().toImage();
  EXPECT_EQ(shown.pixelColor(25, 30), skinControl->palette().color(QPalette::Base));
  int dots = 0;
  for (int x = 0; x < 50; ++x) dots += shown.pixelColor(x, 0) == QColor(Qt::black) ? 1 : 0;
  EXPECT_GT(dots, 10);
  EXPECT_LT(dots, 40);

  skinControl->SetGraphicName(std::string(300, 'x'));
  EXPECT_EQ(skinControl->GraphicName(), std::string(255, 'x'));
}

TEST_F(VsSkin, ComposerChangesAreFollowed) {
  makeSkinnedForm();
  composer->Graphics()->Clear();
  EXPECT_EQ(skinControl->Graphic(), nullptr);
  addGraphic(*composer->Graphics(), "ABOUT1.BMP", testsupport::plainBitmap(80, 90, kBlue));
  EXPECT_EQ(skinControl->geometry(), QRect(0, 0, 80, 90));
  EXPECT_EQ(form->ClientHeight(), 90);
}

TEST_F(VsSkin, DestroyedComposerIsDroppedAndTheRegionRemoved) {
  makeSkinnedForm();
  skinControl->SetMaskColor(kBlue + 1);  // no pixel has it: the whole picture is the region
  ASSERT_EQ(form->mask(), QRegion(0, 0, 200, 220));

  forms::TComponent::Free(composer);
  EXPECT_EQ(skinControl->Composer(), nullptr);
  EXPECT_EQ(skinControl->Graphic(), nullptr);
  EXPECT_TRUE(form->mask().isEmpty());

  // A composer of another owner is dropped as well, instead of being left dangling.
  forms::ComponentPtr<forms::TForm> other(new forms::TForm(nullptr));
  auto* foreign = new TVsComposer(other.get());
  addGraphic(*foreign->Graphics(), "About1.bmp", testsupport::plainBitmap(20, 30, kBlue));
  skinControl->SetComposer(foreign);
  ASSERT_EQ(skinControl->geometry(), QRect(0, 0, 20, 30));
  forms::TComponent::Free(foreign);
  EXPECT_EQ(skinControl->Composer(), nullptr);
  EXPECT_EQ(skinControl->Graphic(), nullptr);
}

// Qt deletes the child widgets of a widget that goes: a control placed on one
// that is not its owner is freed first, so that its owner lets it go.
TEST_F(VsSkin, AControlWhoseParentGoesFirstLeavesItsOwner) {
  const forms::ComponentPtr<forms::TForm> owner(new forms::TForm(nullptr));
  auto* onWidget = new forms::TCustomControl(owner.get());
  auto* onForm = new forms::TCustomControl(owner.get());
  {
    const std::unique_ptr<QWidget> widget(new QWidget);
    const forms::ComponentPtr<forms::TForm> form(new forms::TForm(nullptr));
    onWidget->setParent(widget.get());
    onForm->SetParent(form.get());
  }
  EXPECT_EQ(owner->ComponentCount(), 0);
}

TEST_F(VsSkin, OnlyALeftPressWithFormDragMovesTheForm) {
  makeSkinnedForm();
  int downs = 0;
  int clicks = 0;
  skinControl->OnMouseDown = [&](forms::TObject*, forms::TMouseButton, forms::TShiftState, int, int) { ++downs; };
  skinControl->OnClick = [&](forms::TObject*) { ++clicks; };
  auto press = [&](Qt::MouseButton button, QEvent::Type type = QEvent::MouseButtonPress) {
    QMouseEvent event(type, QPointF(5, 5), skinControl->mapToGlobal(QPointF(5, 5)), button, button, Qt::NoModifier);
    QApplication::sendEvent(skinControl, &event);
  };

  press(Qt::LeftButton);
  EXPECT_EQ(skinControl->moves, 1);
  press(Qt::RightButton);
  EXPECT_EQ(skinControl->moves, 1);
  skinControl->SetFormDrag(false);
  press(Qt::LeftButton);
  press(Qt::LeftButton, QEvent::MouseButtonRelease);
  EXPECT_EQ(skinControl->moves, 1);
  EXPECT_EQ(downs, 3);
  EXPECT_EQ(clicks, 1);
}

TEST_F(VsSkin, MouseEventsReachTheirHandlersWithButtonAndPosition) {
  makeSkinnedForm();
  std::vector<std::string> seen;
  skinControl->OnMouseUp = [&](forms::TObject*, forms::TMouseButton b, forms::TShiftState, int x, int y) {
    seen.push_back("up " + std::string(b == forms::TMouseButton::mbRight ? "right" : "other") + " " + std::to_string(x) +
                   "," + std::to_string(y));
  };
  skinControl->OnMouseMove = [&](forms::TObject*, forms::TShiftState m, int x, int y) {
    seen.push_back("move " + std::to_string((m & forms::ssShift) != 0) + " " + std::to_string(x) + "," +
                   std::to_string(y));
  };
  skinControl->OnDblClick = [&](forms::TObject*) { seen.push_back("double"); };
  skinControl->OnContextPopup = [&](forms::TObject*, forms::TPoint at, bool& handled) {
    seen.push_back("popup " + std::to_string(at.x) + "," + std::to_string(at.y));
    handled = at.x > 50;
  };
  auto send = [&](QEvent::Type type, Qt::MouseButton button, QPointF at, Qt::KeyboardModifiers m = Qt::NoModifier) {
    QMouseEvent event(type, at, skinControl->mapToGlobal(at), button, button, m);
    QApplication::sendEvent(skinControl, &event);
  };
  send(QEvent::MouseButtonRelease, Qt::RightButton, QPointF(7, 9));
  send(QEvent::MouseMove, Qt::NoButton, QPointF(30, 40), Qt::ShiftModifier);
  send(QEvent::MouseButtonDblClick, Qt::RightButton, QPointF(1, 1));
  send(QEvent::MouseButtonDblClick, Qt::LeftButton, QPointF(1, 1));
  std::vector<bool> accepted;
  for (const QPoint at : {QPoint(10, 12), QPoint(60, 12)}) {
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, skinControl->mapToGlobal(at));
    QApplication::sendEvent(skinControl, &event);
    accepted.push_back(event.isAccepted());
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"up right 7,9", "move 1 30,40", "double",
                                            "popup 10,12", "popup 60,12"}));
  EXPECT_EQ(accepted, (std::vector<bool>{false, true}));
}

TEST_F(VsSkin, StoredPropertiesSurviveFormDataAndShapeTheFormOnceLoaded) {
  base::Bitmap bm = testsupport::plainBitmap(200, 220, kBlue);
  fillRect(bm, QRect(190, 0, 10, 220), forms::clWhite);
  makeSkinnedForm(bm);
  form->SetName("SkinTestForm");
  skinControl->SetName("VsSkin1");
  composer->SetName("VsComposer1");
  skinControl->SetMaskColor(forms::clWhite);
  skinControl->SetFormDrag(false);
  skinControl->SetAutoSave({"[Skin]", "Left=1"});
  skinControl->SetSignature("Quillory");
  skinControl->OnSkinRead.set("SkinRead", [](forms::TObject*, skin::TVsIni*) {});
  skinControl->OnSkinWrite.set("SkinWrite", [](forms::TObject*, skin::TVsIni*) {});
  skinControl->OnClick.set("SkinClick", [](forms::TObject*) {});
  base::MemoryStream stored;
  forms::WriteComponent(stored, *form);

  forms::ComponentPtr<TSkinTestForm> loaded(new TSkinTestForm(nullptr));
  stored.setPosition(0);
  forms::ReadComponent(stored, *loaded);
  auto* s = dynamic_cast<TVsSkin*>(loaded->FindComponent("VsSkin1"));
  ASSERT_NE(s, nullptr);
  EXPECT_FALSE(s->IsLoading());
  EXPECT_EQ(s->Composer(), loaded->FindComponent("VsComposer1"));
  EXPECT_EQ(s->GraphicName(), "About1.bmp");
  EXPECT_EQ(s->MaskColor(), forms::clWhite);
  EXPECT_FALSE(s->FormDrag());
  EXPECT_EQ(s->AutoSave(), (std::vector<std::string>{"[Skin]", "Left=1"}));
  EXPECT_EQ(s->Signature(), "Quillory");
  EXPECT_EQ(s->OnSkinRead.handlerName(), "SkinRead");
  EXPECT_EQ(s->OnSkinWrite.handlerName(), "SkinWrite");
  EXPECT_EQ(loaded->raised, 0);  // held, never raised

  EXPECT_EQ(loaded->BorderStyle(), "bsNone");
  EXPECT_EQ(loaded->ClientWidth(), 200);
  EXPECT_EQ(loaded->ClientHeight(), 220);
  EXPECT_EQ(loaded->mask(), QRegion(0, 0, 190, 220));
}

}  // namespace
