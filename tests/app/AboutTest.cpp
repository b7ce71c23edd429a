#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>

#include "Input.h"
#include "app/AboutBox.h"
#include "base/Stream.h"

using app::TAboutForm;

namespace {

class About : public ::testing::Test {
 protected:
  void SetUp() override { box.reset(app::LoadAboutForm(nullptr)); }

  forms::ComponentPtr<TAboutForm> box;
};

TEST_F(About, LoadsFromItsResourceAsABorderlessPictureWindow) {
  EXPECT_EQ(box->Caption(), "About");
  EXPECT_EQ(box->BorderStyle(), "bsNone");
  EXPECT_TRUE(box->windowFlags().testFlag(Qt::FramelessWindowHint));
  EXPECT_EQ(box->Position(), "poScreenCenter");
  EXPECT_EQ(box->Font().name, "Arial");
  EXPECT_EQ(box->Font().height, -12);
  // Stored as 200 by 243; the skin fits the client area to the picture.
  EXPECT_EQ(box->ClientWidth(), 200);
  EXPECT_EQ(box->ClientHeight(), 220);
  EXPECT_EQ(box->mask(), QRegion(0, 0, 200, 220));

  ASSERT_NE(box->VsSkin1->Graphic(), nullptr);
  EXPECT_EQ(box->VsSkin1->Composer(), box->VsComposer1);
  EXPECT_EQ(box->VsSkin1->MaskColor(), forms::clWhite);
  EXPECT_FALSE(box->VsSkin1->FormDrag());
  EXPECT_EQ(box->VsSkin1->geometry(), QRect(0, 0, 200, 220));
  const skin::TVsGraphics& pictures = *box->VsComposer1->Graphics();
  ASSERT_EQ(pictures.Count(), 1);
  EXPECT_EQ(pictures.Items(0)->Name(), "About1.bmp");
  EXPECT_EQ(pictures.Items(0)->Bitmap().bitsPerPixel(), 24);
  base::MemoryStream stream;
  pictures.SaveToStream(stream);
  EXPECT_EQ(stream.size(), 132077);

  EXPECT_FALSE(box->Timer1->Enabled());
  EXPECT_EQ(box->Timer1->Interval(), 100);
  EXPECT_EQ(box->Ticks, 0);
}

TEST_F(About, TwentyTicksKeepTheBoxOpenAndTheTwentyFirstClosesIt) {
  box->Timer1->SetEnabled(true);
  box->show();
  for (int i = 0; i < 20; ++i) box->Timer1Timer(box->Timer1);
  EXPECT_TRUE(box->isVisible());
  EXPECT_TRUE(box->Timer1->Enabled());
  box->Timer1Timer(box->Timer1);
  EXPECT_FALSE(box->isVisible());
  EXPECT_FALSE(box->Timer1->Enabled());
  EXPECT_EQ(box->Ticks, 21);
}

TEST_F(About, AClickOnThePictureEndsTheModalShow) {
  QTimer::singleShot(0, [this] {
    EXPECT_TRUE(box->isVisible());
    person::click(box->VsSkin1);
  });
  box->ShowModal();
  EXPECT_FALSE(box->isVisible());
}

TEST_F(About, TheSplashClosesItselfOnItsTimer) {
  // Guards against a splash that never closes: the test then fails instead of hanging.
  bool timedOut = false;
  QTimer guard;
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, [&] {
    timedOut = true;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->isVisible()) w->close();
  });
  guard.start(20000);
  app::ShowAboutBox(nullptr, true);
  EXPECT_FALSE(timedOut);
}

}  // namespace
