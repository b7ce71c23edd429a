// The Album menu of the main window: the gallery of the chosen user and the
// web album of every user.
#include "album/WebAlbum.h"
#include "app/BoxReport.h"
#include "app/Gallery.h"
#include "app/MainForm.h"
#include "base/Text.h"
#include "forms/WaitCursor.h"
#include "platform/Files.h"

namespace app {

namespace {

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
  Album1 = AddMenu("Album1", "Album");
  Gallery1 = addItem(Album1, "Gallery1", "Gallery...", -1, "", &TMainForm::Gallery1Click, "Ctrl+G");
  WebAlbum1 = addItem(Album1, "WebAlbum1", "Make Web Album...", -1, "", &TMainForm::WebAlbum1Click, "Ctrl+W");
}

void TMainForm::Gallery1Click() {
  if (gallery_ == nullptr) {
    gallery_ = new forms::TGalleryWindow(*this);
    gallery_->OnChosen = [this](const std::string& database) { runCommand([&] { showGalleryPicture(database); }); };
  }
  gallery_->Show();
  refreshGallery();
}

void TMainForm::refreshGallery() {
  if (gallery_ == nullptr || !gallery_->Showing()) return;
  const int user = UserBox->ItemIndex();
  if (user < 0) {
    gallery_->SetCaption("Gallery");
    gallery_->ShowThumbnails({}, {});
    return;
  }
  forms::WaitCursor wait;
  GalleryContent content = galleryContent(userDatabases(user));
  gallery_->SetCaption("Gallery - " + UserBox->Text(user));
  gallery_->ShowThumbnails(std::move(content.thumbnails), content.leftOut);
}

void TMainForm::showGalleryPicture(const std::string& database) {
  const int user = UserBox->ItemIndex();
  for (int i = 0; user >= 0 && i < ListBox1->Count(); ++i) {
    if (userDirs_[static_cast<size_t>(user)] + ListBox1->Data(i) != database) continue;
    if (ListBox1->ItemIndex() == i)
      ListBox1Click();  // the selection does not change: show it again
    else
      ListBox1->SelectItem(i);  // the new selection shows it, as a click does
    return;
  }
  LoadPicture(database);
}

void TMainForm::WebAlbum1Click() {
  std::vector<album::AlbumUser> users;
  for (int i = 0; i < UserBox->Count(); ++i) {
    const auto slot = static_cast<size_t>(i);
    users.push_back({userNames_[slot], albumNames_[slot], userDatabases(i)});
  }
  if (users.empty()) return;
  forms::FileDialogSetup setup;
  setup.initialFolder = dialogStart();
  setup.title = "Make Web Album In";
  const auto chosen = ui_.chooseFolder(setup);
  if (!chosen) return;
  const std::string folder = platform::withSeparator(*chosen);
  AlbumReport report(ui_, [this](size_t done, size_t total) { reportProgress(done, total); });
  album::AlbumOptions options;
  options.keepGoing = true;  // a damaged picture is named in a box and on the page, the rest make the album
  std::vector<album::ExportCounts> counts;
  album::AlbumResult result;
  {
    forms::WaitCursor wait;
    result = album::makeWebAlbum(users, folder, report, options, counts);
  }
  if (result == album::AlbumResult::Failed || result == album::AlbumResult::Stopped) return;
  if (ui_.openDocument(folder, album::kAlbumPageName) != forms::OpenResult::Opened)
    ui_.showMessage(base::fileNameToUtf8(report.notice));
}

}  // namespace app
