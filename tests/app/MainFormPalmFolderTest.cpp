// The window on a Palm folder: given on the command line, dropped onto the
// window, remembered for the next start and for qalbum; Save As to PNG with the
// picture's date.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDropEvent>
#include <QListWidget>
#include <QMimeData>
#include <QTest>
#include <QToolButton>
#include <cstdlib>
#include <optional>
#include <tuple>

#include "album/PictureDatabase.h"
#include "forms/StdCtrls.h"
#include "app/MainForm.h"
#include "app/Messages.h"
#include "base/Errors.h"
#include "platform/Files.h"
#include "users/Messages.h"
#include "Person.h"
#include "RecordingUi.h"
#include "support/PalmFolders.h"
#include "support/Qalbum.h"
#include "support/TempDir.h"

using app::TMainForm;
using namespace testsupport;

namespace {

QStringList texts(const QListWidget* list) {
  QStringList out;
  for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
  return out;
}

QStringList texts(const QComboBox* box) {
  QStringList out;
  for (int i = 0; i < box->count(); ++i) out << box->itemText(i);
  return out;
}

// A drop's data as the window system hands it over: the text/uri-list bytes as
// they came (QMimeData's own setData would pass them through QUrl).
class DroppedUriList : public QMimeData {
 public:
  explicit DroppedUriList(const std::string& bytes) : bytes_(QByteArray::fromStdString(bytes)) {}
  QStringList formats() const override { return {kFormat}; }
  bool hasFormat(const QString& format) const override { return format == kFormat; }

 protected:
  QVariant retrieveData(const QString& format, QMetaType) const override {
    return format == kFormat ? QVariant(bytes_) : QVariant();
  }

 private:
  inline static const QString kFormat = QStringLiteral("text/uri-list");
  QByteArray bytes_;
};

// Drops a text/uri-list, given as the bytes a file manager sends, onto the
// window's middle; false when the window refuses it on entering.
bool dropUriList(TMainForm& window, const std::string& uriList) {
  DroppedUriList data(uriList);
  const QPoint at = window.rect().center();
  QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window, &enter);
  if (!enter.isAccepted()) return false;
  QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window, &drop);
  return true;
}

std::string fileUri(const fs::path& path) {
  return "file://" + QByteArray::fromStdString(path.string()).toPercentEncoding("/").toStdString();
}

// Drags `path` onto the window's middle and drops it there, as a file manager does.
void dropOnto(TMainForm& window, const fs::path& path) { ASSERT_TRUE(dropUriList(window, fileUri(path) + "\r\n")); }

int64_t modificationTime(const fs::path& file) {
  struct stat st {};
  EXPECT_EQ(::stat(file.c_str(), &st), 0) << file;
  return st.st_mtime;
}

// No Palm Desktop, no Wine prefix, no J-Pilot: a home folder of the test's own.
struct NoOtherSources {
  testsupport::TempDir home;
  // qalbum run with the window's configuration folder.
  testsupport::ProgramRun qalbum(const std::vector<std::string>& args) const {
    return testsupport::qalbum(home, args, {.environment = {"XDG_CONFIG_HOME=" + home.path("config")}});
  }
  static std::optional<std::string> environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
  }
  std::string oldHome = environment("HOME").value_or("");
  std::optional<std::string> oldConfig = environment("XDG_CONFIG_HOME");
  NoOtherSources() {
    // The remembered folder goes into the test's own configuration folder, never the user's.
    ::setenv("XDG_CONFIG_HOME", home.path("config").c_str(), 1);
    ::setenv("QUILLORY_REGISTRY", home.path("none.reg").c_str(), 1);
    ::setenv("HOME", home.path().c_str(), 1);
    ::unsetenv("WINEPREFIX");
  }
  ~NoOtherSources() {
    ::unsetenv("QUILLORY_REGISTRY");
    ::setenv("HOME", oldHome.c_str(), 1);
    if (oldConfig)
      ::setenv("XDG_CONFIG_HOME", oldConfig->c_str(), 1);
    else
      ::unsetenv("XDG_CONFIG_HOME");
  }
};

}  // namespace

TEST(MainFormPalmFolder, OpensAFolderArgumentAndRemembersItForTheNextStart) {
  NoOtherSources sources;
  testsupport::TempDir dir;
  const fs::path palm = dir.path("Palm");
  writeFamily(palm);
  RecordingUi ui;
  {
    const std::vector<std::string> arguments{"QuilloryAlbum", palm.string()};
    const forms::ComponentPtr<TMainForm> f(new TMainForm(ui, TMainForm::startUpSource(arguments), ui.aboutBox()));
    f->openArguments(arguments);
    EXPECT_EQ(texts(f->UserBox), (QStringList{"Anna", "Ben"}));
    EXPECT_EQ(f->UserBox->currentIndex(), 0);
    QStringList listed = texts(f->ListBox1);
    listed.sort();
    EXPECT_EQ(listed, (QStringList{"QuilloryPicBoat.pdb", "QuilloryPicSun.pdb"}));
    EXPECT_TRUE(ui.take().empty());
  }
  {
    const forms::ComponentPtr<TMainForm> next(new TMainForm(ui, &TMainForm::startUpUsers, ui.aboutBox()));
    EXPECT_EQ(texts(next->UserBox), (QStringList{"Anna", "Ben"}));
  }
  // A picture database as the argument is shown as Open shows it.
  const forms::ComponentPtr<TMainForm> g(new TMainForm(ui, &users::GetUsersData, ui.aboutBox()));
  ui.take();
  g->openArguments({"QuilloryAlbum", (palm / "Anna" / "Backup" / "QuilloryPicSun.pdb").string()});
  EXPECT_EQ(g->currentPictureName(), "QuilloryPicSun");
}

TEST(MainFormPalmFolder, TakesDroppedFoldersAndDatabasesAndSavesPngWithThePicturesDate) {
  NoOtherSources sources;
  testsupport::TempDir dir;
  const fs::path palm = dir.path("Palm");
  const std::vector<FamilyPicture> pictures = writeFamily(palm);
  RecordingUi ui;
  const forms::ComponentPtr<TMainForm> f(new TMainForm(ui, &TMainForm::startUpUsers, ui.aboutBox()));
  ASSERT_FALSE(ui.shown.empty());
  EXPECT_EQ(ui.take().front(), (Shown{"error", std::string(users::msg::RegistryKeyNotFound) + "\n" +
                                                    app::msg::OpenPalmFolderHint}));
  f->show();

  dropOnto(*f, palm / "Ben");
  EXPECT_EQ(texts(f->UserBox), QStringList{"Ben"});
  QStringList listed = texts(f->ListBox1);
  listed.sort();  // in the order the file system gives them
  EXPECT_EQ(listed, (QStringList{"QuilloryPicBroken.pdb", "QuilloryPicDog.pdb"}));

  dropOnto(*f, palm / "Cleo");  // no pictures: said so, the users stay
  const std::string noPictures = base::formatMessage(app::msg::NoPicturesInFolder, {(palm / "Cleo").string()});
  EXPECT_EQ(ui.take(), (std::vector<Shown>{{"error", noPictures}}));
  EXPECT_EQ(texts(f->UserBox), QStringList{"Ben"});

  dropOnto(*f, pictures[1].database);
  EXPECT_EQ(f->currentPictureName(), "QuilloryPicSun");

  const fs::path png = dir.path("Sun.Png");
  ui.fileAnswers.push_back(QString::fromStdString(png.string()));
  QTest::mouseClick(f->findChild<QToolButton*>(QStringLiteral("ToolButton3")), Qt::LeftButton);
  const std::vector<uint8_t> bytes = testsupport::TempDir::read(png.string());
  ASSERT_GT(bytes.size(), 8u);
  EXPECT_EQ(std::string(bytes.begin() + 1, bytes.begin() + 4), "PNG");
  EXPECT_EQ(modificationTime(png), pictures[1].time);
  EXPECT_TRUE(ui.take().empty());
}

TEST(MainFormPalmFolder, QalbumListsTheUsersOfTheFolderTheWindowRemembers) {
  NoOtherSources sources;
  testsupport::TempDir dir;
  // A space, a comma and a letter beyond ASCII: the folder's bytes are kept as they are.
  const fs::path palm = dir.path("Palm, \u00e9t\u00e9 copy");
  writeFamily(palm);
  RecordingUi ui;
  const forms::ComponentPtr<TMainForm> f(new TMainForm(ui, &TMainForm::startUpUsers, ui.aboutBox()));
  ui.take();
  f->show();
  dropOnto(*f, palm / "Ben");
  const testsupport::ProgramRun ben = sources.qalbum({"users"});
  EXPECT_EQ(ben.status, 0) << ben.err;
  EXPECT_EQ(ben.out, "Ben\t" + (palm / "Ben").string() + "/\n");

  dropOnto(*f, palm);
  const testsupport::ProgramRun family = sources.qalbum({"users"});
  EXPECT_EQ(family.status, 0) << family.err;
  EXPECT_EQ(family.out, "Anna\t" + (palm / "Anna").string() + "/\nBen\t" + (palm / "Ben").string() + "/\n");
}

// Two children whose names Windows-1252 cannot hold: each keeps a name of its
// own in the list and an album of its own. The first child's pictures lie in
// Backup and in backup (a copy made on a system that tells them apart); the
// list and the export take both.
TEST(MainFormPalmFolder, ChildrenKeepTheirNamesTheirPicturesAndTheirAlbums) {
  NoOtherSources sources;
  testsupport::TempDir dir;
  const fs::path palm = dir.path("Palm");
  const std::string pid = std::to_string(::getpid());
  const std::string zhong = std::string("\xE4\xB8\xAD\xE6\x96\x87-") + pid, ri = std::string("\xE6\x97\xA5\xE6\x9C\xAC-") + pid;
  writePicture(palm / zhong / "Backup" / "QuilloryPicKite.pdb", 1, 0);
  writePicture(palm / zhong / "backup" / "QuilloryPicTree.pdb", 2, 0);
  writePicture(palm / ri / "Backup" / "QuilloryPicFish.pdb", 3, 0);
  const std::string albums = platform::programFolder();
  struct RemoveAlbums {
    std::vector<std::string> folders;
    ~RemoveAlbums() {
      for (const std::string& f : folders) fs::remove_all(f);
    }
  } cleanup{{albums + zhong, albums + ri}};

  RecordingUi ui;
  const forms::ComponentPtr<TMainForm> f(new TMainForm(ui, &TMainForm::startUpUsers, ui.aboutBox()));
  ui.take();
  f->show();
  dropOnto(*f, palm);
  EXPECT_EQ(texts(f->UserBox), (QStringList{QString::fromStdString(zhong), QString::fromStdString(ri)}));
  QStringList listed = texts(f->ListBox1);
  listed.sort();
  EXPECT_EQ(listed, (QStringList{"QuilloryPicKite.pdb", "QuilloryPicTree.pdb"}));
  ASSERT_TRUE(person::clickEntry(*f, "QuilloryPicTree.pdb"));
  EXPECT_EQ(f->currentPictureName(), "QuilloryPicTree");
  EXPECT_EQ(f->Image1->Bitmap(), album::decodePicture((palm / zhong / "backup" / "QuilloryPicTree.pdb").string()));

  person::clickToolButton(*f, "ToolButton7");
  person::pickUser(*f, 1);
  EXPECT_EQ(texts(f->ListBox1), QStringList{"QuilloryPicFish.pdb"});
  person::clickToolButton(*f, "ToolButton7");
  EXPECT_EQ(ui.take(), (std::vector<Shown>{{"message", "The pictures was successfully exported to " + albums + zhong + "/"},
                                           {"message", "The pictures was successfully exported to " + albums + ri + "/"}}));
  EXPECT_EQ(testsupport::TempDir::read(albums + ri + "/Pic_1.bmp").size(), fs::file_size(albums + zhong + "/Pic_1.bmp"));
  EXPECT_TRUE(fs::exists(albums + zhong + "/Pic_2.bmp"));
  EXPECT_FALSE(fs::exists(albums + ri + "/Pic_2.bmp"));
}

TEST(MainFormPalmFolder, APathThatIsNotUtf8OpensByArgumentAndByDrop) {
  NoOtherSources sources;
  testsupport::TempDir dir;
  const fs::path palm = dir.path("Palm \xE9t\xE9");  // Latin-1, as an old copy may name it
  const std::vector<FamilyPicture> pictures = writeFamily(palm);
  RecordingUi ui;

  // The program's arguments as the system gives them.
  const std::vector<std::string> arguments{"QuilloryAlbum", palm.string()};
  const forms::ComponentPtr<TMainForm> f(new TMainForm(ui, TMainForm::startUpSource(arguments), ui.aboutBox()));
  f->openArguments(arguments);
  EXPECT_TRUE(ui.take().empty());
  EXPECT_EQ(texts(f->UserBox), (QStringList{"Anna", "Ben"}));
  ASSERT_TRUE(person::showAndActivate(*f));
  ASSERT_TRUE(person::clickEntry(*f, QStringLiteral("QuilloryPicSun.pdb")));
  EXPECT_EQ(f->currentPictureName(), "QuilloryPicSun");
  f->openArguments({"QuilloryAlbum", pictures[0].database.string()});
  EXPECT_EQ(f->currentPictureName(), "QuilloryPicBoat");
  EXPECT_TRUE(ui.take().empty());

  // Dropped: percent-encoded; on localhost after a comment line; raw bytes before a second entry.
  const std::vector<std::tuple<std::string, QStringList, std::string>> drops = {
      {fileUri(palm / "Ben") + "\r\n", {"Ben"}, "QuilloryPicBoat"},
      {"# dropped\r\nfile://localhost" + fileUri(pictures[2].database).substr(7) + "\r\n", {"Ben"}, "QuilloryPicDog"},
      {"file://" + palm.string() + "\n" + fileUri(palm / "Ben") + "\n", {"Anna", "Ben"}, "QuilloryPicDog"},
  };
  for (const auto& [uriList, users, pictureName] : drops) {
    SCOPED_TRACE(uriList);
    ASSERT_TRUE(dropUriList(*f, uriList));
    EXPECT_EQ(ui.take(), std::vector<Shown>{});
    EXPECT_EQ(texts(f->UserBox), users);
    EXPECT_EQ(f->currentPictureName(), pictureName);
  }
  // Only local files are taken.
  for (const std::string& other : {std::string("https://example.com/QuilloryPicSun.pdb\r\n"),
                                   "file://elsewhere" + fileUri(pictures[1].database).substr(7) + "\r\n",
                                   std::string("# nothing but a comment\r\n")}) {
    SCOPED_TRACE(other);
    EXPECT_FALSE(dropUriList(*f, other));
  }
}
