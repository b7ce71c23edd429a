// The Album menu of the main window: the gallery of the chosen user and the
// web album of every user.
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>

#include "album/WebAlbum.h"
#include "app/BoxReport.h"
#include "app/Controls.h"
#include "app/FileNames.h"
#include "app/Gallery.h"
#include "app/MainForm.h"
#include "base/Text.h"
#include "forms/WaitCursor.h"
#include "platform/Files.h"

namespace app {

namespace {

QString fromFileText(const std::string& text) { return QString::fromStdString(base::fileNameToUtf8(text)); }

// Boxes as Export All shows them, except the closing notice (where the page
// is): it is kept for when the browser cannot show the page.
class AlbumReport : public BoxReport {
 public:
  using BoxReport::BoxReport;
  void message(const std::string& text) override { notice = text; }
  std::string notice;
};

}  // namespace

void TMainForm::buildAlbumMenu() {
  Album1 = menuBar()->addMenu(QStringLiteral("Album"));
  Album1->setObjectName(QStringLiteral("Album1"));
  const auto add = [this](const char* name, const char* caption, QKeySequence shortcut, void (TMainForm::*handler)()) {
    QAction* action = Album1->addAction(QString::fromLatin1(caption));
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(shortcut);
    connect(action, &QAction::triggered, this,
            [this, handler] { runCommand([this, handler] { (this->*handler)(); }); });
    return action;
  };
  Gallery1 = add("Gallery1", "Gallery...", QKeySequence(Qt::CTRL | Qt::Key_G), &TMainForm::Gallery1Click);
  WebAlbum1 = add("WebAlbum1", "Make Web Album...", QKeySequence(Qt::CTRL | Qt::Key_W), &TMainForm::WebAlbum1Click);
}

void TMainForm::Gallery1Click() {
  if (gallery_ == nullptr) {
    gallery_ = new Gallery(this);
    gallery_->setOnChosen([this](const std::string& database) { runCommand([&] { showGalleryPicture(database); }); });
  }
  gallery_->show();
  refreshGallery();
  gallery_->raise();
  gallery_->activateWindow();
}

void TMainForm::refreshGallery() {
  if (gallery_ == nullptr || !gallery_->isVisible()) return;
  const int user = UserBox->currentIndex();
  if (user < 0) {
    gallery_->showPictures(QString(), {});
    return;
  }
  forms::WaitCursor wait;
  gallery_->showPictures(UserBox->itemText(user), userDatabases(user));
}

void TMainForm::showGalleryPicture(const std::string& database) {
  const int user = UserBox->currentIndex();
  for (int i = 0; user >= 0 && i < ListBox1->count(); ++i) {
    QListWidgetItem* item = ListBox1->item(i);
    if (userDirs_[static_cast<size_t>(user)] + item->data(Qt::UserRole).toByteArray().toStdString() != database)
      continue;
    ListBox1->scrollToItem(item);
    if (item->isSelected())
      ListBox1Click();  // the selection does not change: show it again
    else
      ListBox1->setCurrentItem(item);  // the new selection shows it, as a click does
    return;
  }
  LoadPicture(database);
}

void TMainForm::WebAlbum1Click() {
  std::vector<album::AlbumUser> users;
  for (int i = 0; i < UserBox->count(); ++i) {
    const auto slot = static_cast<size_t>(i);
    users.push_back({userNames_[slot], albumNames_[slot], userDatabases(i)});
  }
  if (users.empty()) return;
  forms::FileDialogSetup setup;
  setup.initialFolder = dialogStart();
  setup.title = QStringLiteral("Make Web Album In");
  const auto chosen = ui_.chooseFolder(setup);
  if (!chosen) return;
  const std::string folder = platform::withSeparator(toFileName(*chosen));
  AlbumReport report(ui_, [this](size_t done, size_t total) {
    emit exportProgress(static_cast<int>(done), static_cast<int>(total));
  });
  album::AlbumOptions options;
  options.keepGoing = true;  // a damaged picture is named in a box and on the page, the rest make the album
  std::vector<album::ExportCounts> counts;
  album::AlbumResult result;
  {
    forms::WaitCursor wait;
    result = album::makeWebAlbum(users, folder, report, options, counts);
  }
  if (result == album::AlbumResult::Failed || result == album::AlbumResult::Stopped) return;
  if (ui_.openDocument(fromFileText(folder), QString::fromLatin1(album::kAlbumPageName)) != forms::OpenResult::Opened)
    ui_.showMessage(fromFileText(report.notice));
}

}  // namespace app
