// Names in two encodings, driven through the window with real clicks: names from
// inside files are Windows-1252, file names from the file system UTF-8 where valid.
#include <gtest/gtest.h>

#include <QDir>
#include <QListWidget>
#include <QTest>
#include <QToolButton>
#include <algorithm>
#include <filesystem>
#include <unistd.h>

#include "album/PictureDatabase.h"
#include "album/PictureWriter.h"
#include "forms/StdCtrls.h"
#include "app/MainForm.h"
#include "Person.h"
#include "RecordingUi.h"
#include "support/PalmFolders.h"
#include "support/TempDir.h"

using testsupport::PalmDesktop;
using testsupport::kSmallPixels;
namespace fs = std::filesystem;

namespace {

QString utf8(const std::string& bytes) { return QString::fromUtf8(bytes); }

void clickEntry(QListWidget* list, const QString& text) {
  const auto found = list->findItems(text, Qt::MatchExactly);
  ASSERT_EQ(found.size(), 1) << text.toStdString();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found.first()).center());
}

void clickButton(QWidget& form, const char* name) {
  auto* button = form.findChild<QToolButton*>(QString::fromLatin1(name));
  ASSERT_NE(button, nullptr) << name;
  QTest::mouseClick(button, Qt::LeftButton);
}

std::vector<std::string> fileNames(const std::string& folder) { return testsupport::sortedEntries(folder); }

}  // namespace

TEST(MainFormText, NamesFromFilesAndFileNamesAreShownAndWrittenOneWay) {
  PalmDesktop desktop;
  const std::string pid = std::to_string(::getpid());
  const std::string user = "qa-text-Zo\xEB-" + pid;  // Windows-1252, as the library gives it
  const std::string shownUser = "qa-text-Zo\xC3\xAB-" + pid;
  const std::string userFolder = platform::programFolder() + shownUser;
  struct Cleanup {
    std::string path;
    ~Cleanup() { fs::remove_all(path); }
  } cleanup{userFolder};
  desktop.writeRegistry();
  desktop.setUsers({{user, "Z"}});
  // A UTF-8 file name and one whose bytes are Windows-1252; both databases name themselves in Windows-1252.
  desktop.addPicture("Z", "QuilloryPicCaf\xC3\xA9.pdb", "QuilloryPicCaf\xE9", kSmallPixels, 1);
  desktop.addPicture("Z", "QuilloryPicN\xF6.pdb", "QuilloryPicN\xF6", kSmallPixels, 2);
  testsupport::TempDir saves;
  struct InFolder {
    QString before = QDir::currentPath();
    explicit InFolder(const std::string& folder) { QDir::setCurrent(QString::fromStdString(folder)); }
    ~InFolder() { QDir::setCurrent(before); }
  } inSaves{saves.path()};

  RecordingUi ui;
  const forms::ComponentPtr<app::TMainForm> f(new app::TMainForm(ui, &users::GetUsersData, ui.aboutBox()));
  f->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(f.get()));
  EXPECT_EQ(f->UserBox->itemText(0), utf8(shownUser));
  QStringList shown;
  for (int i = 0; i < f->ListBox1->count(); ++i) shown << f->ListBox1->item(i)->text();
  shown.sort();
  EXPECT_EQ(shown, (QStringList{utf8("QuilloryPicCaf\xC3\xA9.pdb"), utf8("QuilloryPicN\xC3\xB6.pdb")}));

  // Each entry opens its own file again; caption, Save and Save As agree on the name.
  clickEntry(f->ListBox1, utf8("QuilloryPicN\xC3\xB6.pdb"));
  EXPECT_EQ(f->windowTitle(), utf8("Quillory Album - QuilloryPicN\xC3\xB6"));
  clickEntry(f->ListBox1, utf8("QuilloryPicCaf\xC3\xA9.pdb"));
  EXPECT_EQ(f->windowTitle(), utf8("Quillory Album - QuilloryPicCaf\xC3\xA9"));
  clickButton(*f, "ToolButton2");
  clickButton(*f, "ToolButton3");
  ASSERT_EQ(ui.saveSetups.size(), 1u);
  EXPECT_EQ(ui.saveSetups[0].fileName, "QuilloryPicCaf\xC3\xA9.bmp");
  EXPECT_EQ(fileNames(saves.path()), std::vector<std::string>{"QuilloryPicCaf\xC3\xA9.bmp"});
  EXPECT_EQ(testsupport::TempDir::read(saves.path("QuilloryPicCaf\xC3\xA9.bmp")), f->Image1->Bitmap().toBmp());

  // Export All makes the user's folder under the name the box shows, and says so.
  clickButton(*f, "ToolButton7");
  EXPECT_EQ(ui.take(), (std::vector<Shown>{{"message", "The pictures was successfully exported to " + userFolder + "/"}}));
  EXPECT_EQ(fileNames(userFolder), (std::vector<std::string>{"Pic_1.bmp", "Pic_2.bmp"}));
}

// A name that is not UTF-8 comes back from a file dialog with U+FFFD in place
// of its bad bytes, as Qt's GTK and portal dialogs hand it over; the window
// opens and saves the very file it names, and guesses nothing when two names
// come back alike.
TEST(MainFormText, DialogAnswersWithNamesThatAreNotUtf8ReachTheirOwnFiles) {
  testsupport::TempDir dir;
  const std::string latin1 = "QuilloryPicCaf\xE9";  // the file's name and the database's own, Latin-1
  const std::string folder = dir.path("Caf\xE9") + "/";
  const std::string twins = dir.path("Twins") + "/";
  testsupport::writeBytes(folder + latin1 + ".pdb", album::buildPictureDatabase(latin1, std::vector<uint8_t>(kSmallPixels, 7)));
  // Not pictures: a guess between them would say "Invalid database file!".
  testsupport::writeBytes(twins + "QuilloryPicA\xE8.pdb", std::vector<uint8_t>(100, 1));
  testsupport::writeBytes(twins + "QuilloryPicA\xE9.pdb", std::vector<uint8_t>(100, 1));
  struct InFolder {
    QString before = QDir::currentPath();
    ~InFolder() { QDir::setCurrent(before); }
  } restoreFolder;
  RecordingUi ui;
  const forms::ComponentPtr<app::TMainForm> f(new app::TMainForm(ui, [] { return users::UsersData{}; }, ui.aboutBox()));
  ASSERT_TRUE(person::showAndActivate(*f));
  const auto answer = [&](const std::string& bytes) { ui.fileAnswers.push_back(QString::fromUtf8(bytes)); };

  answer(folder + latin1 + ".pdb");
  person::clickToolButton(*f, "ToolButton1");
  EXPECT_TRUE(ui.take().empty());
  EXPECT_EQ(f->currentPictureName(), latin1);
  EXPECT_EQ(f->Image1->Bitmap(), album::decodePicture(folder + latin1 + ".pdb"));

  // Save writes into that folder; Save As keeps the name typed into the dialog.
  person::clickToolButton(*f, "ToolButton2");
  answer(folder + "Copy \xC3\xA9.png");
  person::clickToolButton(*f, "ToolButton3");
  EXPECT_TRUE(ui.take().empty());
  EXPECT_EQ(fileNames(folder), (std::vector<std::string>{"Copy \xC3\xA9.png", "QuilloryPicCaf\xC3\xA9.bmp", latin1 + ".pdb"}));

  answer(twins + "QuilloryPicA\xE9.pdb");
  person::clickToolButton(*f, "ToolButton1");
  const std::vector<Shown> shown = ui.take();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].kind, "stop");
  EXPECT_EQ(f->currentPictureName(), latin1);
}
