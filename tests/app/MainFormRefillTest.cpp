// A picture list filled anew, by start-up or by another user: it shows its
// first entries, and the first Down key selects and loads entry one.
#include <gtest/gtest.h>

#include <QListWidget>
#include <functional>

#include "app/Controls.h"
#include "app/MainForm.h"
#include "PalmDesktop.h"
#include "Person.h"
#include "RecordingUi.h"

using app::TMainForm;

namespace {

// Two users with lists longer than the list box shows.
struct LongLists {
  PalmDesktop desktop;
  RecordingUi ui;
  forms::ComponentPtr<TMainForm> form;

  LongLists() {
    desktop.writeRegistry();
    desktop.setUsers({{"Anna", "AnnaF"}, {"Ben", "BenF"}});
    addPictures("AnnaF", 30, 1);
    addPictures("BenF", 26, 2);
  }
  void addPictures(const std::string& folder, int count, uint8_t seed) {
    for (int i = 0; i < count; ++i) {
      const std::string name = "QuilloryPic" + folder + std::to_string(100 + i);
      desktop.addPicture(folder, name + ".pdb", name, 22400, static_cast<uint8_t>(seed + i));
    }
  }
  TMainForm& start() {
    form.reset(new TMainForm(ui, &users::GetUsersData, ui.aboutBox()));
    EXPECT_TRUE(person::showAndActivate(*form));
    return *form;
  }
};

// The row shown in the list box's top line.
int topRow(const TMainForm& f) { return f.ListBox1->indexAt(QPoint(2, 2)).row(); }

void scrollToTheEnd(TMainForm& f) {
  person::wheel(f.ListBox1->viewport(), -f.ListBox1->count());
  ASSERT_GT(topRow(f), 0);
}

void shiftTabToTheList(TMainForm& f) {
  person::type(Qt::Key_Tab, Qt::ShiftModifier);
  ASSERT_TRUE(f.ListBox1->hasFocus());
}

struct Refill {
  const char* name;
  std::function<void(TMainForm&)> act;  // from the window as start-up leaves it; ends with the list focused
};

const std::vector<Refill>& refills() {
  static const std::vector<Refill> all = {
      {"start-up", [](TMainForm& f) { ASSERT_TRUE(f.ListBox1->hasFocus()); }},
      {"another user from the popup, after scrolling to the end",
       [](TMainForm& f) {
         scrollToTheEnd(f);
         person::pickUser(f, 1);
         shiftTabToTheList(f);
       }},
      {"the same user from the popup, after scrolling to the end",
       [](TMainForm& f) {
         scrollToTheEnd(f);
         person::pickUser(f, 0);
         shiftTabToTheList(f);
       }},
      {"another user by Down on the closed box, after scrolling to the end",
       [](TMainForm& f) {
         scrollToTheEnd(f);
         person::type(Qt::Key_Tab);
         person::type(Qt::Key_Down);
         shiftTabToTheList(f);
       }},
  };
  return all;
}

}  // namespace

TEST(MainFormRefill, AFilledListShowsItsTopAndTheFirstDownLoadsEntryOne) {
  for (const Refill& refill : refills()) {
    SCOPED_TRACE(refill.name);
    LongLists lists;
    TMainForm& f = lists.start();
    refill.act(f);
    ASSERT_GT(f.ListBox1->count(), 20);
    EXPECT_EQ(topRow(f), 0);
    EXPECT_TRUE(f.ListBox1->selectedItems().isEmpty());

    person::type(Qt::Key_Down);
    const QString first = f.ListBox1->item(0)->text();
    EXPECT_TRUE(f.ListBox1->item(0)->isSelected());
    EXPECT_EQ(f.windowTitle(), "Quillory Album - " + first.chopped(4));
    person::type(Qt::Key_Down);
    EXPECT_TRUE(f.ListBox1->item(1)->isSelected());
    EXPECT_TRUE(lists.ui.take().empty());
  }
}
