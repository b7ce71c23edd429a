#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QTimer>

#include "support/PalmFolders.h"
#include "Person.h"
#include "RecordingUi.h"
#include "forms/StdCtrls.h"
#include "app/MainForm.h"

using testsupport::PalmDesktop;
using testsupport::kLargePixels;
using app::TMainForm;

namespace {

using About = RecordingUi::About;

// The first visible about box, or none.
app::TAboutForm* shownAboutBox() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* box = dynamic_cast<app::TAboutForm*>(w); box != nullptr && box->isVisible()) return box;
  return nullptr;
}

TEST(MainFormAbout, SplashComesFirstInStartUpAndAboutWaitsForAClick) {
  PalmDesktop desktop;  // no registry: reading the users fails with a box
  RecordingUi ui;
  const forms::ComponentPtr<TMainForm> f(new TMainForm(ui, &users::GetUsersData, ui.aboutBox()));
  EXPECT_EQ(ui.abouts, (std::vector<About>{{true, 0}}));
  EXPECT_EQ(ui.shown.size(), 1u);

  ASSERT_TRUE(person::showAndActivate(*f));
  person::chooseMenuItem(*f, f->Help1, f->About1);
  EXPECT_EQ(ui.abouts.back(), (About{false, 1}));
}

TEST(MainFormAbout, TheRealSplashClosesAndStartUpGoesOn) {
  PalmDesktop desktop;
  desktop.writeRegistry();
  desktop.setUsers({{"Anna", "AnnaF"}});
  desktop.addPicture("AnnaF", "QuilloryPic1.pdb", "QuilloryPic1", kLargePixels, 1);
  RecordingUi ui;
  const forms::ComponentPtr<TMainForm> f(new TMainForm(ui));  // the splash closes itself on its timer
  EXPECT_EQ(shownAboutBox(), nullptr);
  EXPECT_EQ(f->UserBox->count(), 1);
  EXPECT_EQ(f->ListBox1->count(), 1);
  ASSERT_TRUE(person::showAndActivate(*f));

  // From Help > About the box has no running timer and stays until clicked.
  bool timerWasOff = false;
  bool ownedByWindow = false;
  QTimer::singleShot(300, [&] {
    app::TAboutForm* box = shownAboutBox();
    ASSERT_NE(box, nullptr);
    timerWasOff = !box->Timer1->Enabled();
    ownedByWindow = box->Owner() == f.get();
    person::click(box->VsSkin1);
  });
  person::chooseMenuItem(*f, f->Help1, f->About1);
  EXPECT_TRUE(timerWasOff);
  EXPECT_TRUE(ownedByWindow);
  EXPECT_EQ(shownAboutBox(), nullptr);
  EXPECT_EQ(f->ComponentCount(), 0);  // destroyed after it closed
  EXPECT_TRUE(ui.take().empty());
}

}  // namespace
