#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QListWidget>
#include <QTest>
#include <filesystem>

#include "album/PictureDatabase.h"
#include "app/Controls.h"
#include "app/MainForm.h"
#include "platform/FileStream.h"
#include "PalmDesktop.h"
#include "RecordingUi.h"

using app::TMainForm;
namespace fs = std::filesystem;

namespace {

constexpr size_t kLarge = 89600;
constexpr size_t kSmall = 22400;
const Shown kNoPictures{"message", "There is no saved pictures for the selected user!"};
const Shown kLoadFirst{"message", "Load picture first"};

QStringList entries(const QListWidget* list) {
  QStringList names;
  for (int i = 0; i < list->count(); ++i) names << list->item(i)->text();
  names.sort();
  return names;
}

// Anna has two pictures and a folder whose name matches; Ben has none.
struct Album {
  PalmDesktop desktop;
  RecordingUi ui;
  std::string big, small;
  std::unique_ptr<TMainForm> form;

  Album() {
    desktop.writeRegistry();
    desktop.setUsers({{"Anna", "AnnaF"}, {"Ben", "BenF"}});
    big = desktop.addPicture("AnnaF", "QuilloryPicBig.pdb", "QuilloryPicBig", kLarge, 1);
    small = desktop.addPicture("AnnaF", "QuilloryPicSmall.pdb", "QuilloryPicSmall", kSmall, 2);
    fs::create_directory(desktop.backup("AnnaF") + "/QuilloryPicFolder.pdb");
    desktop.writeFile("AnnaF", "Readme.txt", {1, 2, 3});
  }
  TMainForm& start() {
    form = std::make_unique<TMainForm>(ui, &app::GetUsersData, ui.aboutBox());
    return *form;
  }
  void select(const QString& entry) {
    const auto found = form->ListBox1->findItems(entry, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    form->ListBox1->setCurrentItem(found.first());
  }
  void closeUp(int user) {
    form->UserBox->setCurrentIndex(user);
    form->UserBox->showPopup();
    form->UserBox->hidePopup();
  }
};

// A current directory for the test, restored afterwards.
struct InFolder {
  QString before = QDir::currentPath();
  explicit InFolder(const std::string& folder) { QDir::setCurrent(QString::fromStdString(folder)); }
  ~InFolder() { QDir::setCurrent(before); }
};

void expectPlacement(const TMainForm& f, QRect image, QRect bevel) {
  EXPECT_EQ(f.Image1->geometry(), image);
  EXPECT_EQ(f.Bevel1->geometry(), bevel);
}

const QRect kLargeImage(8, 39, 320, 280), kLargeBevel(6, 37, 324, 284);
const QRect kSmallImage(88, 107, 160, 140), kSmallBevel(86, 105, 164, 144);

}  // namespace

TEST(MainFormStart, WithoutPalmDesktopTheListsStayEmptyAfterOneError) {
  PalmDesktop desktop;  // no registry file at all
  RecordingUi ui;
  TMainForm f(ui, &app::GetUsersData, ui.aboutBox());
  EXPECT_EQ(ui.take(), (std::vector<Shown>{{"error", "Palm Desktop registry key not found!"}}));
  EXPECT_EQ(f.UserBox->count(), 0);
  EXPECT_EQ(f.ListBox1->count(), 0);
  EXPECT_EQ(f.userDirs(), std::vector<std::string>(10));
  f.ExportAll1->trigger();
  EXPECT_TRUE(ui.take().empty());
}

TEST(MainFormStart, AnErrorInStartUpIsShownAndTheWindowStillOpens) {
  PalmDesktop desktop;
  desktop.writeRegistry("dword:00000001");
  RecordingUi ui;
  TMainForm f(ui, &app::GetUsersData, ui.aboutBox());
  EXPECT_EQ(ui.take(), (std::vector<Shown>{{"stop", "Invalid data type for 'DesktopPath'."}}));
  EXPECT_EQ(f.ListBox1->count(), 0);
  f.show();
  EXPECT_TRUE(f.isVisible());
}

TEST(MainFormStart, ListsTheUsersAndTheFirstUsersPictures) {
  Album a;
  TMainForm& f = a.start();
  EXPECT_TRUE(a.ui.take().empty());
  ASSERT_EQ(f.UserBox->count(), 2);
  EXPECT_EQ(f.UserBox->itemText(0), "Anna");
  EXPECT_EQ(f.UserBox->itemText(1), "Ben");
  EXPECT_EQ(f.UserBox->currentIndex(), 0);
  EXPECT_EQ(f.userDirs()[1], a.desktop.userFolder("BenF"));
  EXPECT_EQ(entries(f.ListBox1), (QStringList{"QuilloryPicBig.pdb", "QuilloryPicFolder.pdb", "QuilloryPicSmall.pdb"}));
  EXPECT_TRUE(f.ListBox1->selectedItems().isEmpty());
  EXPECT_EQ(f.windowTitle(), "Quillory Album");
  EXPECT_TRUE(f.currentPictureName().empty());
}

TEST(MainFormLists, CloseUpAndArrowKeysOnTheUserListReReadThePictures) {
  Album a;
  TMainForm& f = a.start();
  a.closeUp(1);
  EXPECT_EQ(a.ui.take(), std::vector<Shown>{kNoPictures});
  EXPECT_EQ(f.ListBox1->count(), 0);

  // The same user again reads the folder anew.
  a.closeUp(0);
  a.desktop.addPicture("AnnaF", "QuilloryPicNew.pdb", "QuilloryPicNew", kSmall, 3);
  a.closeUp(0);
  EXPECT_TRUE(a.ui.take().empty());
  EXPECT_EQ(f.ListBox1->count(), 4);

  // Changing the closed list with the keyboard changes the user as well.
  f.UserBox->setFocus();
  QTest::keyClick(f.UserBox, Qt::Key_Down);
  EXPECT_EQ(f.UserBox->currentIndex(), 1);
  EXPECT_EQ(a.ui.take(), std::vector<Shown>{kNoPictures});
  EXPECT_EQ(f.ListBox1->count(), 0);
  QTest::keyClick(f.UserBox, Qt::Key_Up);
  EXPECT_EQ(f.ListBox1->count(), 4);
  EXPECT_TRUE(a.ui.take().empty());
}

TEST(MainFormLists, EachSelectionLoadsItsPictureAtItsSizeAndPlace) {
  Album a;
  TMainForm& f = a.start();
  a.select(QStringLiteral("QuilloryPicSmall.pdb"));
  EXPECT_TRUE(a.ui.take().empty());
  EXPECT_EQ(f.windowTitle(), "Quillory Album - QuilloryPicSmall");
  EXPECT_EQ(f.currentPictureName(), "QuilloryPicSmall");
  expectPlacement(f, kSmallImage, kSmallBevel);
  EXPECT_EQ(f.Image1->bitmap(), album::decodePicture(a.small));

  a.select(QStringLiteral("QuilloryPicBig.pdb"));
  EXPECT_EQ(f.windowTitle(), "Quillory Album - QuilloryPicBig");
  expectPlacement(f, kLargeImage, kLargeBevel);
  EXPECT_EQ(f.Image1->bitmap(), album::decodePicture(a.big));
  EXPECT_EQ(f.Image1->image().pixel(0, 0), f.Image1->image().color(f.Image1->bitmap().scanLine(0)[0]));

  // Arrow keys move through the list and load each picture in turn.
  f.ListBox1->setFocus();
  const int before = f.ListBox1->currentRow();
  QTest::keyClick(f.ListBox1, before == 0 ? Qt::Key_Down : Qt::Key_Up);
  const std::string now = f.ListBox1->currentItem()->text().toStdString();
  if (now == "QuilloryPicFolder.pdb") {
    ASSERT_EQ(a.ui.shown.size(), 1u);  // a folder cannot be opened as a file
    EXPECT_EQ(a.ui.shown[0].kind, "stop");
  } else {
    EXPECT_EQ(f.windowTitle(), "Quillory Album - QuilloryPicSmall");
  }
}

TEST(MainFormPicture, InvalidShortAndLockedFilesLeaveThePictureShown) {
  Album a;
  TMainForm& f = a.start();
  a.select(QStringLiteral("QuilloryPicBig.pdb"));
  const base::Bitmap shown = f.Image1->bitmap();

  std::vector<uint8_t> wrongName = album::buildPictureDatabase("quilloryPicX", std::vector<uint8_t>(kSmall));
  f.LoadPicture(a.desktop.writeFile("AnnaF", "X.pdb", wrongName));
  EXPECT_EQ(a.ui.take(), (std::vector<Shown>{{"message", "Invalid database file!"}}));
  EXPECT_TRUE(f.currentPictureName().empty());
  EXPECT_EQ(f.windowTitle(), "Quillory Album - QuilloryPicBig");
  expectPlacement(f, kLargeImage, kLargeBevel);
  EXPECT_EQ(f.Image1->bitmap(), shown);
  f.Save1->trigger();
  f.SaveAs1->trigger();
  EXPECT_EQ(a.ui.take(), (std::vector<Shown>{kLoadFirst, kLoadFirst}));

  // One record: the pixels would start at 88; files that end before that.
  std::vector<uint8_t> header = album::buildPictureDatabase("QuilloryPicShort", {});
  header.resize(85);
  f.runCommand([&] { f.LoadPicture(a.desktop.writeFile("AnnaF", "S.pdb", header)); });
  header.resize(87);
  f.runCommand([&] { f.LoadPicture(a.desktop.writeFile("AnnaF", "T.pdb", header)); });
  EXPECT_EQ(a.ui.take(), (std::vector<Shown>{{"stop", "Stream read error."}, {"stop", "Stream write error."}}));
  EXPECT_EQ(f.windowTitle(), "Quillory Album - QuilloryPicShort");
  expectPlacement(f, QRect(88, 107, 320, 280), kSmallBevel);
  EXPECT_EQ(f.Image1->bitmap(), shown);
  // The picture shown is not the one named: Save refuses rather than misname it.
  EXPECT_TRUE(f.currentPictureName().empty());

  f.LoadPicture(a.big);
  platform::FileStream holder(a.small, platform::FileMode::OpenReadExclusive);
  a.select(QStringLiteral("QuilloryPicSmall.pdb"));
  const auto shownNow = a.ui.take();
  ASSERT_EQ(shownNow.size(), 1u);
  EXPECT_EQ(shownNow[0].kind, "stop");
  EXPECT_EQ(shownNow[0].text.rfind("Cannot open file \"" + a.small + "\". ", 0), 0u) << shownNow[0].text;
  EXPECT_EQ(f.windowTitle(), "Quillory Album - QuilloryPicBig");
  EXPECT_EQ(f.currentPictureName(), "QuilloryPicBig");
  expectPlacement(f, kLargeImage, kLargeBevel);
}

TEST(MainFormSave, SaveWritesIntoTheFolderOfTheLastConfirmedDialog) {
  Album a;
  TMainForm& f = a.start();
  testing_support::TempDir startDir, openDir, saveDir;
  InFolder cwd(startDir.path());
  f.Save1->trigger();
  EXPECT_EQ(a.ui.take(), std::vector<Shown>{kLoadFirst});

  a.select(QStringLiteral("QuilloryPicBig.pdb"));
  f.Save1->trigger();
  const std::vector<uint8_t> bigBmp = album::decodePicture(a.big).toBmp();
  EXPECT_EQ(testing_support::TempDir::read(startDir.path("QuilloryPicBig.bmp")), bigBmp);

  // Open from PDB: a cancelled dialog does nothing; a confirmed one loads and moves the current folder.
  f.Open1->trigger();
  EXPECT_EQ(f.windowTitle(), "Quillory Album - QuilloryPicBig");
  fs::copy_file(a.small, openDir.path("copy.pdb"));
  a.ui.fileAnswers.push_back(QString::fromStdString(openDir.path("copy.pdb")));
  f.Open1->trigger();
  ASSERT_EQ(a.ui.openSetups.size(), 2u);
  const std::string programFolder = platform::programFolder();
  EXPECT_EQ(a.ui.openSetups[1].initialFolder.toStdString(), programFolder.substr(0, programFolder.size() - 1));
  EXPECT_TRUE(a.ui.openSetups[1].title.isEmpty() && a.ui.openSetups[1].filter.isEmpty());
  EXPECT_EQ(f.windowTitle(), "Quillory Album - QuilloryPicSmall");
  f.Save1->trigger();
  EXPECT_EQ(testing_support::TempDir::read(openDir.path("QuilloryPicSmall.bmp")), album::decodePicture(a.small).toBmp());
  // Save replaces an earlier file without asking.
  f.Save1->trigger();
  EXPECT_TRUE(a.ui.take().empty());

  // Save As proposes the picture's name every time.
  a.ui.fileAnswers.push_back(QString::fromStdString(saveDir.path("chosen.bmp")));
  f.SaveAs1->trigger();
  f.SaveAs1->trigger();  // cancelled
  ASSERT_EQ(a.ui.saveSetups.size(), 2u);
  for (const forms::FileDialogSetup& setup : a.ui.saveSetups) {
    EXPECT_EQ(setup.title, "Save Bitmap As...");
    EXPECT_EQ(setup.filter, "Bmp Files (*.bmp)|*.BMP");
    EXPECT_EQ(setup.defaultExtension, "bmp");
    EXPECT_EQ(setup.fileName, "QuilloryPicSmall.bmp");
    EXPECT_EQ(setup.initialFolder, a.ui.openSetups[1].initialFolder);
  }
  EXPECT_EQ(testing_support::TempDir::read(saveDir.path("chosen.bmp")).size(), 23478u);
  EXPECT_EQ(QDir::currentPath().toStdString(), fs::canonical(saveDir.path()).string());

  // A picture name holding separators is saved under a plain name in the current folder.
  f.LoadPicture(a.desktop.writeFile("AnnaF", "Odd.pdb", album::buildPictureDatabase("QuilloryPic/../odd", std::vector<uint8_t>(kSmall))));
  EXPECT_EQ(f.windowTitle(), "Quillory Album - QuilloryPic/../odd");
  f.Save1->trigger();
  f.SaveAs1->trigger();
  EXPECT_TRUE(fs::exists(saveDir.path("QuilloryPic_.._odd.bmp")));
  EXPECT_EQ(a.ui.saveSetups.back().fileName, "QuilloryPic_.._odd.bmp");

  // A path that cannot be created reaches the general error handler.
  const std::string bad = saveDir.path("missing") + "/x.bmp";
  a.ui.fileAnswers.push_back(QString::fromStdString(bad));
  f.SaveAs1->trigger();
  const auto shown = a.ui.take();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].kind, "stop");
  EXPECT_EQ(shown[0].text.rfind("Cannot create file \"" + bad + "\". ", 0), 0u) << shown[0].text;
}

TEST(MainFormHelp, InstructionsOpenTheHelpPageBesideTheProgram) {
  Album a;
  TMainForm& f = a.start();
  f.Instructions1->trigger();
  a.ui.openResult = forms::OpenResult::AssociationIncomplete;
  f.Instructions1->trigger();
  a.ui.openResult = forms::OpenResult::Failed;
  f.Instructions1->trigger();
  EXPECT_EQ(a.ui.take(), (std::vector<Shown>{{"message", "No program associated to open chm files!"},
                                             {"message", "Can`t open help file: QuilloryAlbum.htm"}}));
  ASSERT_EQ(a.ui.documents.size(), 3u);
  EXPECT_EQ(a.ui.documents[0].first.toStdString(), platform::programFolder());
  EXPECT_EQ(a.ui.documents[0].second, "QuilloryAlbum.htm");
  EXPECT_TRUE(fs::exists(platform::programFolder() + "QuilloryAlbum.htm"));
}

TEST(MainFormExport, ExportAllWritesTheAlbumBesideTheProgramAndLeavesTheWindowAlone) {
  PalmDesktop desktop;
  const std::string user = "qa-export-" + std::to_string(::getpid());
  desktop.writeRegistry();
  desktop.setUsers({{user, "U"}, {"..", "Dots"}, {"Nobody", "N"}});
  const std::string big = desktop.addPicture("U", "QuilloryPic1.pdb", "QuilloryPic1", kLarge, 4);
  const std::string small = desktop.addPicture("U", "QuilloryPic2.pdb", "QuilloryPic2", kSmall, 5);
  desktop.addPicture("Dots", "QuilloryPic1.pdb", "QuilloryPic1", kSmall, 6);
  RecordingUi ui;
  TMainForm f(ui, &app::GetUsersData, ui.aboutBox());
  const std::string folder = platform::programFolder() + user + "/";
  struct Cleanup {
    std::string path;
    ~Cleanup() { fs::remove_all(path); }
  } cleanup{folder};

  f.ListBox1->setCurrentRow(f.ListBox1->count() - 1);
  const QString title = f.windowTitle();
  const base::Bitmap shown = f.Image1->bitmap();
  std::vector<std::pair<int, int>> steps;
  QObject::connect(&f, &TMainForm::exportProgress, [&](int done, int total) {
    const QCursor* cursor = QApplication::overrideCursor();
    steps.emplace_back(cursor && cursor->shape() == Qt::WaitCursor ? done : -1, total);
  });
  f.ExportAll1->trigger();
  EXPECT_EQ(steps, (std::vector<std::pair<int, int>>{{0, 2}, {1, 2}, {2, 2}}));  // under the wait cursor
  EXPECT_EQ(ui.take(), (std::vector<Shown>{{"message", "The pictures was successfully exported to " + folder}}));
  EXPECT_FALSE(ui.waitCursorDuringBox);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  std::map<size_t, int> sizes;
  for (int n = 1; n <= 2; ++n) ++sizes[fs::file_size(folder + "Pic_" + std::to_string(n) + ".bmp")];
  EXPECT_EQ(sizes, (std::map<size_t, int>{{23478, 1}, {90678, 1}}));
  EXPECT_EQ(f.windowTitle(), title);
  EXPECT_EQ(f.Image1->bitmap(), shown);
  EXPECT_FALSE(f.Image2->bitmap().empty());
  EXPECT_TRUE(f.Image2->isHidden());

  // A user name that names no folder of its own.
  ui.take();
  f.UserBox->setCurrentIndex(1);
  f.LoadPictureNames();
  ASSERT_EQ(f.ListBox1->count(), 1);
  f.ExportAll1->trigger();
  EXPECT_EQ(ui.take(), (std::vector<Shown>{{"error", "Cannot create " + platform::programFolder() + "../"}}));
  EXPECT_FALSE(fs::exists(platform::programFolder() + "../Pic_1.bmp"));

  // No pictures: nothing happens, nothing is said.
  f.UserBox->setCurrentIndex(2);
  f.LoadPictureNames();
  ui.take();
  f.ExportAll1->trigger();
  EXPECT_TRUE(ui.take().empty());
  EXPECT_FALSE(fs::exists(platform::programFolder() + "Nobody"));
}

TEST(MainFormExit, ExitClosesTheWindow) {
  Album a;
  TMainForm& f = a.start();
  f.show();
  f.Exit1->trigger();
  EXPECT_FALSE(f.isVisible());
}
