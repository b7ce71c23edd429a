#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QListWidget>
#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "album/PictureDatabase.h"
#include "forms/StdCtrls.h"
#include "app/MainForm.h"
#include "platform/FileStream.h"
#include "support/PalmFolders.h"
#include "Person.h"
#include "RecordingUi.h"
#include "support/Qalbum.h"

using testsupport::PalmDesktop;
using testsupport::kSmallPixels;
using testsupport::kLargePixels;
using app::TMainForm;
namespace fs = std::filesystem;

namespace {

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
  forms::ComponentPtr<TMainForm> form;

  Album() {
    desktop.writeRegistry();
    desktop.setUsers({{"Anna", "AnnaF"}, {"Ben", "BenF"}});
    big = desktop.addPicture("AnnaF", "QuilloryPicBig.pdb", "QuilloryPicBig", kLargePixels, 1);
    small = desktop.addPicture("AnnaF", "QuilloryPicSmall.pdb", "QuilloryPicSmall", kSmallPixels, 2);
    fs::create_directory(desktop.backup("AnnaF") + "/QuilloryPicFolder.pdb");
    desktop.writeFile("AnnaF", "Readme.txt", {1, 2, 3});
  }
  TMainForm& start() {
    form.reset(new TMainForm(ui, &users::GetUsersData, ui.aboutBox()));
    EXPECT_TRUE(person::showAndActivate(*form));
    return *form;
  }
  void select(const QString& entry) { ASSERT_TRUE(person::clickEntry(*form, entry)) << entry.toStdString(); }
  // Open from PDB, by its tool button, confirming `file` in the dialog (none: cancelling it).
  void open(const std::string& file) {
    if (!file.empty()) ui.fileAnswers.push_back(QString::fromStdString(file));
    person::clickToolButton(*form, "ToolButton1");
  }
  void save() { person::clickToolButton(*form, "ToolButton2"); }
  void saveAs() { person::chooseMenuItem(*form, form->Picture1, form->SaveAs1); }
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
  const forms::ComponentPtr<TMainForm> f(new TMainForm(ui, &users::GetUsersData, ui.aboutBox()));
  EXPECT_EQ(ui.take(), (std::vector<Shown>{{"error", "Palm Desktop registry key not found!"}}));
  EXPECT_EQ(f->UserBox->count(), 0);
  EXPECT_EQ(f->ListBox1->count(), 0);
  EXPECT_EQ(f->userDirs(), std::vector<std::string>(10));
  ASSERT_TRUE(person::showAndActivate(*f));
  person::clickToolButton(*f, "ToolButton7");
  person::click(f->UserBox);
  EXPECT_TRUE(ui.take().empty());
}

TEST(MainFormStart, AnErrorInStartUpIsShownAndTheWindowStillOpens) {
  PalmDesktop desktop;
  desktop.registry.setDWord("DesktopPath", 1);
  RecordingUi ui;
  const forms::ComponentPtr<TMainForm> f(new TMainForm(ui, &users::GetUsersData, ui.aboutBox()));
  EXPECT_EQ(ui.take(), (std::vector<Shown>{{"stop", "Invalid data type for 'DesktopPath'."}}));
  EXPECT_EQ(f->ListBox1->count(), 0);
  f->show();
  EXPECT_TRUE(f->isVisible());
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

TEST(MainFormLists, PickingAUserOrMovingTheClosedBoxReReadsThePictures) {
  Album a;
  TMainForm& f = a.start();
  person::pickUser(f, 1);
  EXPECT_EQ(a.ui.take(), std::vector<Shown>{kNoPictures});
  EXPECT_EQ(f.ListBox1->count(), 0);

  // The same user again reads the folder anew.
  person::pickUser(f, 0);
  a.desktop.addPicture("AnnaF", "QuilloryPicNew.pdb", "QuilloryPicNew", kSmallPixels, 3);
  person::pickUser(f, 0);
  EXPECT_TRUE(a.ui.take().empty());
  EXPECT_EQ(f.ListBox1->count(), 4);

  // Changing the closed list with the keyboard changes the user as well.
  f.ListBox1->setFocus();
  person::type(Qt::Key_Tab);
  ASSERT_TRUE(f.UserBox->hasFocus());
  person::type(Qt::Key_Down);
  EXPECT_EQ(f.UserBox->currentIndex(), 1);
  EXPECT_EQ(a.ui.take(), std::vector<Shown>{kNoPictures});
  EXPECT_EQ(f.ListBox1->count(), 0);
  person::type(Qt::Key_Up);
  EXPECT_EQ(f.ListBox1->count(), 4);
  EXPECT_TRUE(a.ui.take().empty());
}

TEST(MainFormLists, ClicksAndArrowKeysLoadEachPictureAtItsSizeAndPlace) {
  Album a;
  TMainForm& f = a.start();
  a.select(QStringLiteral("QuilloryPicSmall.pdb"));
  EXPECT_TRUE(a.ui.take().empty());
  EXPECT_EQ(f.windowTitle(), "Quillory Album - QuilloryPicSmall");
  EXPECT_EQ(f.currentPictureName(), "QuilloryPicSmall");
  expectPlacement(f, kSmallImage, kSmallBevel);
  EXPECT_EQ(f.Image1->Bitmap(), album::decodePicture(a.small));

  a.select(QStringLiteral("QuilloryPicBig.pdb"));
  EXPECT_EQ(f.windowTitle(), "Quillory Album - QuilloryPicBig");
  expectPlacement(f, kLargeImage, kLargeBevel);
  EXPECT_EQ(f.Image1->Bitmap(), album::decodePicture(a.big));
  const base::RGBQuad first = f.Image1->Bitmap().palette()[f.Image1->Bitmap().scanLine(0)[0]];
  EXPECT_EQ(f.Image1->image().pixel(0, 0), qRgb(first.red, first.green, first.blue));

  // From the top of the list, the arrow keys load each entry in turn.
  struct Expected {
    std::string title;  // empty: the entry cannot be loaded
    std::string database;
    QRect image, bevel;
  };
  const std::map<QString, Expected> byEntry = {
      {"QuilloryPicBig.pdb", {"Quillory Album - QuilloryPicBig", a.big, kLargeImage, kLargeBevel}},
      {"QuilloryPicSmall.pdb", {"Quillory Album - QuilloryPicSmall", a.small, kSmallImage, kSmallBevel}},
      {"QuilloryPicFolder.pdb", {}}};
  a.select(f.ListBox1->item(0)->text());
  a.ui.take();
  for (int row = 0; row < f.ListBox1->count(); ++row) {
    if (row > 0) person::type(Qt::Key_Down);
    ASSERT_EQ(f.ListBox1->currentRow(), row);
    const QString text = f.ListBox1->currentItem()->text();
    SCOPED_TRACE(text.toStdString());
    const Expected& expected = byEntry.at(text);
    const auto shown = a.ui.take();
    if (expected.title.empty()) {
      ASSERT_EQ(shown.size(), 1u);  // a folder cannot be opened as a file
      EXPECT_EQ(shown[0].kind, "stop");
      continue;
    }
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(f.windowTitle().toStdString(), expected.title);
    expectPlacement(f, expected.image, expected.bevel);
    EXPECT_EQ(f.Image1->Bitmap(), album::decodePicture(expected.database));
  }
}

TEST(MainFormLists, AListFilledAnewShowsItsTopAndTheFirstDownLoadsEntryOne) {
  PalmDesktop desktop;
  desktop.writeRegistry();
  desktop.setUsers({{"Anna", "AnnaF"}, {"Ben", "BenF"}});
  for (const std::string folder : {"AnnaF", "BenF"})  // longer lists than the box shows
    for (int i = 10; i < 36; ++i) desktop.addPicture(folder, "QuilloryPic" + folder + std::to_string(i) + ".pdb",
                                                     "QuilloryPic" + folder + std::to_string(i), kSmallPixels, 1);
  RecordingUi ui;
  const forms::ComponentPtr<TMainForm> f(new TMainForm(ui, &users::GetUsersData, ui.aboutBox()));
  ASSERT_TRUE(person::showAndActivate(*f));
  const auto topRow = [&] { return f->ListBox1->indexAt(QPoint(2, 2)).row(); };
  for (const char* refill : {"start-up", "Ben, picked after Anna's list was scrolled to its end"}) {
    SCOPED_TRACE(refill);
    if (refill[0] == 'B') {
      person::wheel(f->ListBox1->viewport(), -f->ListBox1->count());
      ASSERT_GT(topRow(), 0);
      person::pickUser(*f, 1);
      person::type(Qt::Key_Tab, Qt::ShiftModifier);  // from the user box back to the list
    }
    ASSERT_TRUE(f->ListBox1->hasFocus());
    EXPECT_EQ(topRow(), 0);
    person::type(Qt::Key_Down);
    EXPECT_EQ(f->ListBox1->selectedItems(), QList<QListWidgetItem*>{f->ListBox1->item(0)});
    EXPECT_EQ(f->windowTitle(), "Quillory Album - " + f->ListBox1->item(0)->text().chopped(4));
  }
  EXPECT_TRUE(ui.take().empty());
}

TEST(MainFormPicture, InvalidShortAndLockedFilesLeaveThePictureShown) {
  Album a;
  TMainForm& f = a.start();
  InFolder cwd(a.desktop.dir.path());  // Open from PDB moves the current folder
  a.select(QStringLiteral("QuilloryPicBig.pdb"));
  const base::Bitmap shown = f.Image1->Bitmap();

  std::vector<uint8_t> wrongName = album::buildPictureDatabase("quilloryPicX", std::vector<uint8_t>(kSmallPixels));
  a.open(a.desktop.writeFile("AnnaF", "X.pdb", wrongName));
  EXPECT_EQ(a.ui.take(), (std::vector<Shown>{{"message", "Invalid database file!"}}));
  EXPECT_TRUE(f.currentPictureName().empty());
  EXPECT_EQ(f.windowTitle(), "Quillory Album - QuilloryPicBig");
  expectPlacement(f, kLargeImage, kLargeBevel);
  EXPECT_EQ(f.Image1->Bitmap(), shown);
  a.save();
  a.saveAs();
  EXPECT_EQ(a.ui.take(), (std::vector<Shown>{kLoadFirst, kLoadFirst}));

  // One record: the pixels would start at 88; files that end before that.
  std::vector<uint8_t> header = album::buildPictureDatabase("QuilloryPicShort", {});
  header.resize(85);
  a.open(a.desktop.writeFile("AnnaF", "S.pdb", header));
  header.resize(87);
  a.open(a.desktop.writeFile("AnnaF", "T.pdb", header));
  EXPECT_EQ(a.ui.take(), (std::vector<Shown>{{"stop", "Stream read error."}, {"stop", "Stream write error."}}));
  EXPECT_EQ(f.windowTitle(), "Quillory Album - QuilloryPicShort");
  expectPlacement(f, QRect(88, 107, 320, 280), kSmallBevel);
  EXPECT_EQ(f.Image1->Bitmap(), shown);
  // The picture shown is not the one named: Save refuses rather than misname it, and says why.
  EXPECT_TRUE(f.currentPictureName().empty());
  a.save();
  a.saveAs();
  EXPECT_EQ(a.ui.take(), (std::vector<Shown>{kLoadFirst, kLoadFirst}));
  EXPECT_FALSE(fs::exists(a.desktop.backup("AnnaF") + "/QuilloryPicShort.bmp"));
  EXPECT_TRUE(a.ui.saveSetups.empty());

  a.open(a.big);
  EXPECT_EQ(f.windowTitle(), "Quillory Album - QuilloryPicBig");
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
  testsupport::TempDir startDir, openDir, saveDir;
  InFolder cwd(startDir.path());
  a.save();
  EXPECT_EQ(a.ui.take(), std::vector<Shown>{kLoadFirst});

  a.select(QStringLiteral("QuilloryPicBig.pdb"));
  person::chooseMenuItem(f, f.Picture1, f.Save1);
  const std::vector<uint8_t> bigBmp = album::decodePicture(a.big).toBmp();
  EXPECT_EQ(testsupport::TempDir::read(startDir.path("QuilloryPicBig.bmp")), bigBmp);

  // Open from PDB: a cancelled dialog does nothing; a confirmed one loads and moves the current folder.
  a.open({});
  EXPECT_EQ(f.windowTitle(), "Quillory Album - QuilloryPicBig");
  fs::copy_file(a.small, openDir.path("copy.pdb"));
  a.ui.fileAnswers.push_back(QString::fromStdString(openDir.path("copy.pdb")));
  person::chooseMenuItem(f, f.Picture1, f.Open1);
  ASSERT_EQ(a.ui.openSetups.size(), 2u);
  const std::string programFolder = platform::programFolder();
  EXPECT_EQ(a.ui.openSetups[1].initialFolder, programFolder.substr(0, programFolder.size() - 1));
  EXPECT_TRUE(a.ui.openSetups[1].title.empty() && a.ui.openSetups[1].filter.empty());
  EXPECT_EQ(f.windowTitle(), "Quillory Album - QuilloryPicSmall");
  EXPECT_EQ(f.Image1->Bitmap(), album::decodePicture(a.small));
  expectPlacement(f, kSmallImage, kSmallBevel);
  a.save();
  EXPECT_EQ(testsupport::TempDir::read(openDir.path("QuilloryPicSmall.bmp")), album::decodePicture(a.small).toBmp());
  // Save replaces an earlier file without asking.
  a.save();
  EXPECT_TRUE(a.ui.take().empty());

  // Save As proposes the picture's name every time.
  a.ui.fileAnswers.push_back(QString::fromStdString(saveDir.path("chosen.bmp")));
  person::clickToolButton(f, "ToolButton3");
  a.saveAs();  // cancelled
  ASSERT_EQ(a.ui.saveSetups.size(), 2u);
  for (const forms::FileDialogSetup& setup : a.ui.saveSetups) {
    EXPECT_EQ(setup.title, "Save Bitmap As...");
    EXPECT_EQ(setup.filter, "Bmp Files (*.bmp)|*.BMP");
    EXPECT_EQ(setup.defaultExtension, "bmp");
    EXPECT_EQ(setup.fileName, "QuilloryPicSmall.bmp");
    EXPECT_EQ(setup.initialFolder, a.ui.openSetups[1].initialFolder);
  }
  EXPECT_EQ(testsupport::TempDir::read(saveDir.path("chosen.bmp")).size(), 23478u);
  EXPECT_EQ(QDir::currentPath().toStdString(), fs::canonical(saveDir.path()).string());

  // A picture name holding separators is saved under a plain name in the current folder.
  a.open(a.desktop.writeFile("AnnaF", "Odd.pdb", album::buildPictureDatabase("QuilloryPic/../odd", std::vector<uint8_t>(kSmallPixels))));
  EXPECT_EQ(f.windowTitle(), "Quillory Album - QuilloryPic/../odd");
  a.save();
  a.saveAs();
  EXPECT_TRUE(fs::exists(a.desktop.backup("AnnaF") + "/QuilloryPic_.._odd.bmp"));
  EXPECT_EQ(a.ui.saveSetups.back().fileName, "QuilloryPic_.._odd.bmp");

  // A path that cannot be created reaches the general error handler.
  const std::string bad = saveDir.path("missing") + "/x.bmp";
  a.ui.fileAnswers.push_back(QString::fromStdString(bad));
  a.saveAs();
  const auto shown = a.ui.take();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].kind, "stop");
  EXPECT_EQ(shown[0].text.rfind("Cannot create file \"" + bad + "\". ", 0), 0u) << shown[0].text;
}

TEST(MainFormHelp, InstructionsOpenTheHelpPageBesideTheProgram) {
  Album a;
  TMainForm& f = a.start();
  person::clickToolButton(f, "ToolButton6");
  a.ui.openResult = forms::OpenResult::AssociationIncomplete;
  person::chooseMenuItem(f, f.Help1, f.Instructions1);
  a.ui.openResult = forms::OpenResult::Failed;
  person::clickToolButton(f, "ToolButton6");
  EXPECT_EQ(a.ui.take(), (std::vector<Shown>{{"message", "No program associated to open chm files!"},
                                             {"message", "Can`t open help file: QuilloryAlbum.htm"}}));
  ASSERT_EQ(a.ui.documents.size(), 3u);
  EXPECT_EQ(a.ui.documents[0].first, platform::programFolder());
  EXPECT_EQ(a.ui.documents[0].second, "QuilloryAlbum.htm");
  EXPECT_TRUE(fs::exists(platform::programFolder() + "QuilloryAlbum.htm"));
}

TEST(MainFormExport, ExportAllWritesTheAlbumBesideTheProgramAndLeavesTheWindowAlone) {
  PalmDesktop desktop;
  const std::string user = "qa-export-" + std::to_string(::getpid());
  desktop.writeRegistry();
  desktop.setUsers({{user, "U"}, {"..", "Dots"}, {"Nobody", "N"}});
  const std::string big = desktop.addPicture("U", "QuilloryPic1.pdb", "QuilloryPic1", kLargePixels, 4);
  const std::string small = desktop.addPicture("U", "QuilloryPic2.pdb", "QuilloryPic2", kSmallPixels, 5);
  desktop.addPicture("Dots", "QuilloryPic1.pdb", "QuilloryPic1", kSmallPixels, 6);
  RecordingUi ui;
  const forms::ComponentPtr<TMainForm> f(new TMainForm(ui, &users::GetUsersData, ui.aboutBox()));
  ASSERT_TRUE(person::showAndActivate(*f));
  const std::string folder = platform::programFolder() + user + "/";
  struct Cleanup {
    std::string path;
    ~Cleanup() { fs::remove_all(path); }
  } cleanup{folder};

  ASSERT_TRUE(person::clickEntry(*f, f->ListBox1->item(f->ListBox1->count() - 1)->text()));
  const QString title = f->windowTitle();
  const base::Bitmap shown = f->Image1->Bitmap();
  std::vector<std::pair<int, int>> steps;
  f->OnExportProgress = [&](int done, int total) {
    const QCursor* cursor = QApplication::overrideCursor();
    steps.emplace_back(cursor && cursor->shape() == Qt::WaitCursor ? done : -1, total);
  };
  person::clickToolButton(*f, "ToolButton7");
  EXPECT_EQ(steps, (std::vector<std::pair<int, int>>{{0, 2}, {1, 2}, {2, 2}}));  // under the wait cursor
  EXPECT_EQ(ui.take(), (std::vector<Shown>{{"message", "The pictures was successfully exported to " + folder}}));
  EXPECT_FALSE(ui.waitCursorDuringBox);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  std::map<size_t, int> sizes;
  for (int n = 1; n <= 2; ++n) ++sizes[fs::file_size(folder + "Pic_" + std::to_string(n) + ".bmp")];
  EXPECT_EQ(sizes, (std::map<size_t, int>{{23478, 1}, {90678, 1}}));
  EXPECT_EQ(f->windowTitle(), title);
  EXPECT_EQ(f->Image1->Bitmap(), shown);
  EXPECT_FALSE(f->Image2->Bitmap().empty());
  EXPECT_TRUE(f->Image2->isHidden());

  // A user name that names no folder of its own.
  ui.take();
  person::pickUser(*f, 1);
  ASSERT_EQ(f->ListBox1->count(), 1);
  person::chooseMenuItem(*f, f->Picture1, f->ExportAll1);
  EXPECT_EQ(ui.take(), (std::vector<Shown>{{"error", "Cannot create " + platform::programFolder() + "../"}}));
  EXPECT_FALSE(fs::exists(platform::programFolder() + "../Pic_1.bmp"));

  // No pictures: nothing happens, nothing is said.
  person::pickUser(*f, 2);
  EXPECT_EQ(ui.take(), std::vector<Shown>{kNoPictures});
  person::clickToolButton(*f, "ToolButton7");
  EXPECT_TRUE(ui.take().empty());
  EXPECT_FALSE(fs::exists(platform::programFolder() + "Nobody"));
}

TEST(MainFormExit, ExitClosesTheWindow) {
  Album a;
  TMainForm& f = a.start();
  person::chooseMenuItem(f, f.Picture1, f.Exit1);
  EXPECT_FALSE(f.isVisible());
}

TEST(MainFormSave, SaveAsWritesBmpUnlessTheNameSaysPngAndGivesOtherNamesTheBmpExtension) {
  const std::vector<std::pair<std::string, std::string>> typedAndWritten = {
      {"photo.jpg", "photo.jpg.bmp"}, {"photo", "photo.bmp"},       {"photo.", "photo.bmp"},
      {"photo.Bmp", "photo.Bmp"},     {"photo.PNG", "photo.PNG"}, {"photo.png.gif", "photo.png.gif.bmp"},
  };
  Album a;
  a.start();
  InFolder cwd(a.desktop.dir.path());  // Save As moves the current folder
  a.select(QStringLiteral("QuilloryPicSmall.pdb"));
  for (const auto& [typed, written] : typedAndWritten) {
    SCOPED_TRACE(typed);
    testsupport::TempDir saves;
    a.ui.fileAnswers.push_back(QString::fromStdString(saves.path(typed)));
    a.saveAs();
    EXPECT_TRUE(a.ui.take().empty());
    ASSERT_EQ(saves.entries(), std::vector<std::string>{written});
    const std::vector<uint8_t> bytes = testsupport::TempDir::read(saves.path(written));
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 2), written.ends_with("PNG") ? "\x89P" : "BM");
  }
}

// Save, Save As and qalbum convert write one file for one database: the same
// bytes in either format, and the database's date.
TEST(MainFormSave, SavedFilesAreTheFilesQalbumConvertWrites) {
  Album a;
  a.start();
  testsupport::TempDir saves, converted;
  InFolder cwd(saves.path());
  a.select(QStringLiteral("QuilloryPicSmall.pdb"));
  a.save();
  for (const char* typed : {"typed.bmp", "typed.png"}) {
    a.ui.fileAnswers.push_back(QString::fromStdString(saves.path(typed)));
    a.saveAs();
  }
  EXPECT_TRUE(a.ui.take().empty());
  for (const auto& [saved, format] : std::vector<std::pair<std::string, std::string>>{
           {"QuilloryPicSmall.bmp", "bmp"}, {"typed.bmp", "bmp"}, {"typed.png", "png"}}) {
    SCOPED_TRACE(saved);
    const std::string out = converted.path("picture." + format);
    ASSERT_EQ(testsupport::qalbum(converted, {"convert", a.small, out}).status, 0);
    EXPECT_TRUE(testsupport::TempDir::read(saves.path(saved)) == testsupport::TempDir::read(out));
    EXPECT_EQ(fs::last_write_time(saves.path(saved)), fs::last_write_time(out));
  }
}

// An installed program: bin/ beside share/quillory-album/, without share/doc.
TEST(MainFormSave, AnInstalledProgramsDialogsStartInThePicturesThenInTheFolderLastUsed) {
  testsupport::TempDir home;
  for (const char* folder : {"usr/bin", "usr/share/quillory-album", "Pictures", "Saved"})
    fs::create_directories(home.path(folder));
  // The test's home, without user-dirs.dirs: the pictures folder is ~/Pictures.
  struct Setting {
    const char* name;
    std::optional<std::string> before;
    Setting(const char* n, const std::string& value) : name(n) {
      if (const char* old = std::getenv(n)) before = old;
      ::setenv(n, value.c_str(), 1);
    }
    ~Setting() { before ? ::setenv(name, before->c_str(), 1) : ::unsetenv(name); }
  } inHome("HOME", home.path()), config("XDG_CONFIG_HOME", home.path(".config"));
  Album a;
  TMainForm& f = a.start();
  f.setProgramFolder(home.path("usr/bin") + "/");
  InFolder cwd(a.desktop.dir.path());
  const std::string copy = home.path("Saved") + "/copy.pdb";
  fs::copy_file(a.small, copy);
  a.open({});
  a.open(copy);
  a.saveAs();
  ASSERT_EQ(a.ui.openSetups.size(), 2u);
  ASSERT_EQ(a.ui.saveSetups.size(), 1u);
  EXPECT_EQ(a.ui.openSetups[0].initialFolder, home.path("Pictures"));
  EXPECT_EQ(a.ui.openSetups[1].initialFolder, home.path("Pictures"));
  EXPECT_EQ(a.ui.saveSetups[0].initialFolder, home.path("Saved"));
  EXPECT_EQ(f.currentPictureName(), "QuilloryPicSmall");
}
