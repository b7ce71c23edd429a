// The Album menu driven by its shortcuts: the gallery of the chosen user and the
// web album of every user.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QTest>
#include <filesystem>

#include "album/PictureDatabase.h"
#include "forms/StdCtrls.h"
#include "app/Gallery.h"
#include "app/MainForm.h"
#include "forms/BitmapImage_qt.h"
#include "support/PalmFolders.h"
#include "Person.h"
#include "RecordingUi.h"
#include "tools/DatabaseBuilder.h"

using testsupport::PalmDesktop;

namespace {

constexpr uint32_t kDay = 24 * 60 * 60;
constexpr uint32_t kJune1 = album::DatabaseDates::kJune2003;

// Anna's pictures, named so that the list's order is not the order drawn, and
// a damaged one; Ben has one picture.
struct Desktop {
  PalmDesktop palm;
  RecordingUi ui;
  std::string boat, apple, cat, duck, kite;
  forms::ComponentPtr<app::TMainForm> form;

  Desktop() {
    palm.writeRegistry();
    palm.setUsers({{"Anna", "Anna"}, {"Ben", "Ben"}});
    boat = add("Anna", "QuilloryPicA.pdb", "QuilloryPicBoat", 89600, {kJune1 + 2 * kDay, kJune1 + 2 * kDay});
    apple = add("Anna", "QuilloryPicB.pdb", "QuilloryPicApple", 22400, {kJune1, kJune1 + 5 * kDay});
    cat = add("Anna", "QuilloryPicC.pdb", "QuilloryPicCat", 22400, {0, 0});
    duck = add("Anna", "QuilloryPicD.pdb", "QuilloryPicDuck", 22400, {0, kJune1 + kDay});
    palm.writeFile("Anna", "QuilloryPicE.pdb", {1, 2, 3});
    kite = add("Ben", "QuilloryPicKite.pdb", "QuilloryPicKite", 22400, {});
    form.reset(new app::TMainForm(ui, &users::GetUsersData, ui.aboutBox()));
  }

  std::string add(const std::string& user, const std::string& file, const std::string& name, size_t pixels,
                  album::DatabaseDates dates) {
    std::vector<uint8_t> bytes(pixels);
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 7 / 3 + name.size());
    return palm.writeFile(user, file, album::buildPictureDatabase(name, bytes, dates));
  }

  // Opens the gallery with its shortcut on the active main window.
  forms::TGalleryWindow* openGallery() {
    if (!person::showAndActivate(*form)) return nullptr;
    person::type(Qt::Key_G, Qt::ControlModifier);
    forms::TGalleryWindow* gallery = form->gallery();
    if (gallery == nullptr || !QTest::qWaitForWindowActive(gallery)) return nullptr;
    return gallery;
  }
};

QStringList captions(const QListWidget* list) {
  QStringList texts;
  for (int i = 0; i < list->count(); ++i) texts << list->item(i)->text();
  return texts;
}

QImage thumbnail(const QListWidgetItem* item) {
  const QIcon icon = item->icon();
  return icon.availableSizes().isEmpty() ? QImage() : icon.pixmap(icon.availableSizes().first()).toImage();
}

// Whether every pixel of the picture is a zoom × zoom square of the thumbnail.
bool isZoomed(const QImage& thumb, const std::string& database, int zoom) {
  const QImage picture = forms::toQImage(album::decodePicture(database)).convertToFormat(QImage::Format_RGB32);
  const QImage shown = thumb.convertToFormat(QImage::Format_RGB32);
  if (shown.size() != picture.size() * zoom) return false;
  for (int y = 0; y < shown.height(); ++y)
    for (int x = 0; x < shown.width(); ++x)
      if (shown.pixel(x, y) != picture.pixel(x / zoom, y / zoom)) return false;
  return true;
}

// Whether the main window shows `database` with its list entry `entry` selected.
void expectShown(const Desktop& d, const std::string& database, const QString& entry) {
  const QList<QListWidgetItem*> selected = d.form->ListBox1->selectedItems();
  ASSERT_EQ(selected.size(), 1);
  EXPECT_EQ(selected.first()->text(), entry);
  EXPECT_EQ(d.form->Image1->Bitmap(), album::decodePicture(database));
}

}  // namespace

TEST(Gallery, ThumbnailsInTheOrderDrawnShowTheChosenPictureInTheMainWindow) {
  Desktop d;
  forms::TGalleryWindow* gallery = d.openGallery();
  ASSERT_NE(gallery, nullptr);
  EXPECT_EQ(captions(gallery->thumbnails), QStringList({"1 June 2003\nQuilloryPicApple", "2 June 2003\nQuilloryPicDuck",
                                                        "3 June 2003\nQuilloryPicBoat", "undated\nQuilloryPicCat"}));
  EXPECT_TRUE(gallery->leftOut->isVisible());
  EXPECT_TRUE(gallery->leftOut->text().contains(QStringLiteral("QuilloryPicE.pdb")));
  EXPECT_TRUE(isZoomed(thumbnail(gallery->thumbnails->item(2)), d.boat, 1));

  // Enter on the second thumbnail, reached with the arrow key.
  person::type(Qt::Key_Home);
  person::type(Qt::Key_Right);
  person::type(Qt::Key_Return);
  expectShown(d, d.duck, "QuilloryPicD.pdb");
  EXPECT_EQ(d.form->currentPictureName(), "QuilloryPicDuck");

  // A double-click on the third, then on the second again after Open showed another picture.
  const auto doubleClick = [&](int row) {
    QListWidget* list = gallery->thumbnails;
    const QPoint at = list->visualItemRect(list->item(row)).center();
    person::moveTo(list->viewport(), at);
    QTest::mouseDClick(person::windowOf(list), Qt::LeftButton, Qt::NoModifier, person::inWindow(list->viewport(), at));
    person::settle();
  };
  doubleClick(2);
  expectShown(d, d.boat, "QuilloryPicA.pdb");
  d.ui.fileAnswers.push_back(QString::fromStdString(d.kite));
  d.form->Open1->trigger();
  ASSERT_EQ(d.form->currentPictureName(), "QuilloryPicKite");
  doubleClick(2);
  expectShown(d, d.boat, "QuilloryPicA.pdb");

  // The gallery follows the user picked in the main window.
  person::pickUser(*d.form, 1);
  EXPECT_EQ(captions(gallery->thumbnails), QStringList({"1 June 2003\nQuilloryPicKite"}));
  EXPECT_FALSE(gallery->leftOut->isVisible());
  EXPECT_EQ(d.ui.take(), std::vector<Shown>{});
  ASSERT_TRUE(person::showAndActivate(*gallery));
  person::type(Qt::Key_Escape);
  EXPECT_FALSE(gallery->isVisible());
}

TEST(Gallery, ZoomMultipliesEveryPixelWithoutBlending) {
  Desktop d;
  forms::TGalleryWindow* gallery = d.openGallery();
  ASSERT_NE(gallery, nullptr);
  struct Step { Qt::Key key; int zoom; };
  // Up to the largest zoom and past it, then back down past the smallest.
  const std::vector<Step> steps = {{Qt::Key_Plus, 2},  {Qt::Key_Equal, 3}, {Qt::Key_Plus, 4}, {Qt::Key_Plus, 4},
                                   {Qt::Key_Minus, 3}, {Qt::Key_Minus, 2}, {Qt::Key_Minus, 1}, {Qt::Key_Minus, 1}};
  for (const Step& step : steps) {
    person::type(step.key, Qt::ControlModifier);
    EXPECT_EQ(gallery->Zoom(), step.zoom);
    EXPECT_TRUE(isZoomed(thumbnail(gallery->thumbnails->item(0)), d.apple, step.zoom)) << step.zoom;
    EXPECT_TRUE(isZoomed(thumbnail(gallery->thumbnails->item(2)), d.boat, step.zoom)) << step.zoom;
  }
  // The zoom box, reached by its label's mnemonic, with its arrow key.
  person::type(Qt::Key_Z, Qt::AltModifier);
  person::type(Qt::Key_Up);
  EXPECT_TRUE(isZoomed(thumbnail(gallery->thumbnails->item(0)), d.apple, 2));
}

TEST(WebAlbumCommand, MakesTheAlbumOfEveryUserInTheChosenFolderAndOpensIt) {
  Desktop d;
  ASSERT_TRUE(person::showAndActivate(*d.form));
  const std::string folder = d.palm.dir.path("web") + platform::kPathSeparator;

  // Cancelled: nothing made, nothing opened.
  d.ui.fileAnswers.push_back(std::nullopt);
  person::type(Qt::Key_W, Qt::ControlModifier);
  ASSERT_EQ(d.ui.folderSetups.size(), 1u);
  EXPECT_FALSE(std::filesystem::exists(folder));
  EXPECT_TRUE(d.ui.documents.empty());

  d.ui.fileAnswers.push_back(QString::fromStdString(d.palm.dir.path("web")));
  person::type(Qt::Key_W, Qt::ControlModifier);
  EXPECT_TRUE(std::filesystem::is_regular_file(folder + "index.html"));
  EXPECT_TRUE(std::filesystem::is_regular_file(folder + "Anna/2003-06-01 QuilloryPicApple.png"));
  EXPECT_TRUE(std::filesystem::is_regular_file(folder + "Ben/2003-06-01 QuilloryPicKite.png"));
  const std::vector<std::pair<std::string, std::string>> opened = {{folder, "index.html"}};
  EXPECT_EQ(d.ui.documents, opened);
  // The damaged database is named in an error box, as Export All names it.
  std::vector<Shown> shown = d.ui.take();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].kind, "error");
  EXPECT_NE(shown[0].text.find("QuilloryPicE.pdb"), std::string::npos);

  // Without a browser, a box says where the page is.
  d.ui.openResult = forms::OpenResult::Failed;
  d.ui.fileAnswers.push_back(QString::fromStdString(d.palm.dir.path("web")));
  person::type(Qt::Key_W, Qt::ControlModifier);
  shown = d.ui.take();
  ASSERT_FALSE(shown.empty());
  EXPECT_EQ(shown.back().kind, "message");
  EXPECT_NE(shown.back().text.find("index.html"), std::string::npos);
  EXPECT_FALSE(d.ui.waitCursorDuringBox);
}
