// Choosing a user in every way a person can, then reading a picture and
// exporting the album: the list, the picture and the exported files must all
// come from the chosen user's folder.
#include <gtest/gtest.h>

#include <QAction>
#include <filesystem>
#include <functional>
#include <unistd.h>

#include "album/PictureDatabase.h"
#include "album/PictureWriter.h"
#include "forms/StdCtrls.h"
#include "app/MainForm.h"
#include "support/PalmFolders.h"
#include "Person.h"
#include "RecordingUi.h"

using namespace testsupport;
using app::TMainForm;
namespace fs = std::filesystem;

namespace {


// The BMP file the album library writes for a database.
std::vector<uint8_t> bmpOf(const std::string& database) {
  if (!fs::is_regular_file(database)) return {};
  testsupport::TempDir dir;
  album::writePicture(album::decodePicture(database), dir.path("expected.bmp"));
  return testsupport::TempDir::read(dir.path("expected.bmp"));
}

QStringList sorted(QStringList names) {
  names.sort();
  return names;
}

QStringList shownEntries(const TMainForm& f) {
  QStringList names;
  for (int i = 0; i < f.ListBox1->count(); ++i) names << f.ListBox1->item(i)->text();
  return names;
}

// Two users with pictures of their own names; each user's export folder beside
// the program is removed afterwards.
struct Family {
  PalmDesktop desktop;
  RecordingUi ui;
  const std::string anna = "qa-pick-anna-" + std::to_string(::getpid());
  const std::string ben = "qa-pick-ben-" + std::to_string(::getpid());
  std::map<std::string, std::vector<std::string>> pictures;  // by folder name
  forms::ComponentPtr<TMainForm> form;

  Family() {
    desktop.writeRegistry();
    desktop.setUsers({{anna, "AnnaF"}, {ben, "BenF"}});
    add("AnnaF", "QuilloryPicA1", kLargePixels, 1);
    add("AnnaF", "QuilloryPicA2", kSmallPixels, 2);
    add("BenF", "QuilloryPicB1", kSmallPixels, 3);
    add("BenF", "QuilloryPicB2", kLargePixels, 4);
    add("BenF", "QuilloryPicB3", kSmallPixels, 5);
    cleanExports();
  }
  ~Family() {
    form.reset();
    cleanExports();
  }
  void cleanExports() {
    for (const std::string& user : {anna, ben}) fs::remove_all(platform::programFolder() + user);
  }
  std::string add(const std::string& folder, const std::string& name, size_t pixels, uint8_t seed) {
    pictures[folder].push_back(desktop.addPicture(folder, name + ".pdb", name, pixels, seed));
    return pictures[folder].back();
  }
  QStringList filesOf(const std::string& folder) const {
    QStringList names;
    for (const std::string& path : pictures.at(folder)) names << QString::fromStdString(fs::path(path).filename().string());
    return sorted(names);
  }
  TMainForm& start() {
    form.reset(new TMainForm(ui, &users::GetUsersData, ui.aboutBox()));
    EXPECT_TRUE(person::showAndActivate(*form));
    return *form;
  }
};

// One way of choosing a user, from a window that shows the first user.
struct Way {
  const char* name;
  std::function<void(TMainForm&)> act;
  int user;              // the user shown afterwards
  bool exportFromMenu;   // Export All by the menu instead of the tool button
};

void tabToUserBox(TMainForm& f) {
  f.ListBox1->setFocus();  // where the window starts
  person::type(Qt::Key_Tab);
  ASSERT_TRUE(f.UserBox->hasFocus());
}

// Opens the list from the keyboard with `opener`, goes down to the second user and takes it with `take`.
std::function<void(TMainForm&)> keysOnTheOpenList(Qt::Key opener, Qt::KeyboardModifiers modifiers, Qt::Key take) {
  return [=](TMainForm& f) {
    tabToUserBox(f);
    person::type(opener, modifiers);
    ASSERT_TRUE(person::userPopup(f)->isVisible());
    person::type(Qt::Key_Down);
    person::type(take);
  };
}

const std::vector<Way>& ways() {
  static const std::vector<Way> all = {
      {"mouse on a popup item",
       [](TMainForm& f) {
         ASSERT_TRUE(person::openUserList(f));
         person::clickUserItem(f, 1);
       },
       1, false},
      {"Alt+Down, Down, Enter", keysOnTheOpenList(Qt::Key_Down, Qt::AltModifier, Qt::Key_Return), 1, true},
      {"F4, Down, Enter", keysOnTheOpenList(Qt::Key_F4, Qt::NoModifier, Qt::Key_Enter), 1, false},
      {"mouse on the second item, then back on the first",
       [](TMainForm& f) {
         ASSERT_TRUE(person::openUserList(f));
         person::clickUserItem(f, 1);
         ASSERT_TRUE(person::openUserList(f));
         person::clickUserItem(f, 0);
       },
       0, true},
      {"Down in the open list, then Escape",
       [](TMainForm& f) {
         ASSERT_TRUE(person::openUserList(f));
         person::type(Qt::Key_Down);
         person::type(Qt::Key_Escape);
       },
       0, false},
      {"a click outside the open list",
       [](TMainForm& f) {
         ASSERT_TRUE(person::openUserList(f));
         person::click(f.client, f.Bevel1->geometry().center());
       },
       0, true},
      {"Down on the closed box", [](TMainForm& f) {
         tabToUserBox(f);
         person::type(Qt::Key_Down);
       },
       1, false},
      {"the wheel on the closed box", [](TMainForm& f) { person::wheel(f.UserBox, -1); }, 1, true},
  };
  return all;
}

}  // namespace

TEST(MainFormUserPick, EveryWayOfChoosingAUserReadsAndExportsThatUsersFolder) {
  for (const Way& way : ways()) {
    SCOPED_TRACE(way.name);
    Family family;
    TMainForm& f = family.start();
    ASSERT_EQ(sorted(shownEntries(f)), family.filesOf("AnnaF"));
    // A picture that arrives meanwhile shows that the folder was read again.
    family.add("AnnaF", "QuilloryPicA3", kSmallPixels, 6);

    way.act(f);
    const std::string folder = way.user == 0 ? "AnnaF" : "BenF";
    const std::string user = way.user == 0 ? family.anna : family.ben;
    EXPECT_EQ(f.UserBox->currentIndex(), way.user);
    EXPECT_FALSE(person::userPopup(f)->isVisible());
    EXPECT_EQ(sorted(shownEntries(f)), family.filesOf(folder));
    EXPECT_TRUE(family.ui.take().empty());

    // The last entry of the list: its picture, from this user's folder.
    ASSERT_GT(f.ListBox1->count(), 0);
    const QString last = f.ListBox1->item(f.ListBox1->count() - 1)->text();
    ASSERT_TRUE(person::clickEntry(f, last));
    EXPECT_TRUE(family.ui.take().empty());
    const std::string database = family.desktop.backup(folder) + family.desktop.sep + last.toStdString();
    EXPECT_EQ(f.windowTitle().toStdString(), "Quillory Album - " + fs::path(database).stem().string());
    EXPECT_TRUE(fs::is_regular_file(database));
    if (fs::is_regular_file(database)) {
      EXPECT_EQ(f.Image1->Bitmap(), album::decodePicture(database));
    }

    if (way.exportFromMenu)
      person::chooseMenuItem(f, f.Picture1, f.ExportAll1);
    else
      person::clickToolButton(f, "ToolButton7");
    const std::string exported = platform::programFolder() + user + family.desktop.sep;
    EXPECT_EQ(family.ui.take(), (std::vector<Shown>{{"message", "The pictures was successfully exported to " + exported}}));
    const QStringList entries = shownEntries(f);
    for (int i = 0; i < entries.size(); ++i) {
      const std::string source = family.desktop.backup(folder) + family.desktop.sep + entries[i].toStdString();
      EXPECT_EQ(testsupport::TempDir::read(exported + "Pic_" + std::to_string(i + 1) + ".bmp"), bmpOf(source))
          << entries[i].toStdString();
    }
    EXPECT_TRUE(fs::is_directory(exported));
    if (fs::is_directory(exported)) {
      EXPECT_EQ(std::distance(fs::directory_iterator(exported), fs::directory_iterator()), entries.size());
    }
    const std::string other = platform::programFolder() + (way.user == 0 ? family.ben : family.anna);
    EXPECT_FALSE(fs::exists(other));
  }
}
