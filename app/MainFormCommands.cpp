// Start-up, the picture list and the commands of the main window.
#include "album/ExportAll.h"
#include "album/PictureDatabase.h"
#include "album/PictureDate.h"
#include "album/PictureWriter.h"
#include "app/BoxReport.h"
#include "app/MainForm.h"
#include "app/Messages.h"
#include "app/ProgramPlaces.h"
#include "base/Errors.h"
#include "base/Text.h"
#include "forms/WaitCursor.h"
#include "platform/Directory.h"
#include "platform/Files.h"
#include "users/PalmFolder.h"
#include "users/RememberedFolder.h"
#include "users/UserSources.h"

namespace app {

namespace {

// File names and messages that carry them: UTF-8 where valid, else Windows-1252.
std::string fromFileText(const std::string& text) { return base::fileNameToUtf8(text); }

// The file Save As writes for the chosen path: a name ending in .bmp or .png as it
// is, any other with ".bmp" added, as a Windows save dialog for bitmaps does.
std::string savedPicturePath(std::string path) {
  if (album::formatNamedBy(path)) return path;
  if (!path.empty() && path.back() == '.') path.pop_back();
  return path + ".bmp";
}

// A user's picture databases, relative to the user folder, in the order every
// export numbers them; none when a backup folder cannot be read.
std::vector<std::string> listedPictures(const std::string& userFolder) {
  try {
    return users::userPictures(userFolder);
  } catch (const base::EFOpenError&) {
    return {};
  }
}

}  // namespace

void TMainForm::runCommand(const std::function<void()>& command) {
  try {
    command();
  } catch (const std::exception& e) {
    ui_.showStop(fromFileText(e.what()));
  }
}

void TMainForm::showSplash() { aboutBox_(true); }

void TMainForm::FormCreate() {
  // An error anywhere here skips the rest of start-up; the window still opens.
  runCommand([this] {
    showSplash();
    pictureName_.clear();
    GetUsersData();
    LoadPictureNames();
  });
}

users::UsersData TMainForm::startUpUsers() {
  try {
    return users::findUsers(users::rememberedPalmFolder());
  } catch (const users::EPalmDesktopNotFound& e) {
    throw users::EUsersNotFound(std::string(e.what()) + "\n" + msg::OpenPalmFolderHint);
  }
}

users::UsersData TMainForm::palmFolderUsers(const std::string& folder) {
  users::UsersData data = users::palmFolderUsers(folder);
  if (data.items.empty()) throw users::EUsersNotFound(base::formatMessage(msg::NoPicturesInFolder, {folder}));
  users::rememberPalmFolder(platform::absolutePath(folder));  // a folder not remembered still opens
  return data;
}

TMainForm::UsersSource TMainForm::startUpSource(const std::vector<std::string>& arguments) {
  if (arguments.size() > 1 && platform::directoryExists(arguments[1])) {
    const std::string folder = arguments[1];
    return [folder] { return palmFolderUsers(folder); };
  }
  return &TMainForm::startUpUsers;
}

void TMainForm::openArguments(const std::vector<std::string>& arguments) {
  if (arguments.size() > 1 && !platform::directoryExists(arguments[1]))
    runCommand([&] { openPath(arguments[1]); });
}

void TMainForm::openPath(const std::string& path) {
  if (platform::directoryExists(path)) {
    users::UsersData data;
    try {
      data = palmFolderUsers(path);
    } catch (const users::EUsersNotFound& e) {
      // A folder without pictures leaves the users shown as they are.
      ui_.showError(fromFileText(e.what()));
      return;
    }
    showUsers(data);
    LoadPictureNames();
    return;
  }
  enterFolderOf(path);
  LoadPicture(path);
}

void TMainForm::GetUsersData() {
  users::UsersData data;
  try {
    data = users_();
  } catch (const users::EUsersNotFound& e) {
    userNames_.assign(users::kUserSlots, {});
    userDirs_.assign(users::kUserSlots, {});
    albumNames_.assign(users::kUserSlots, {});
    ui_.showError(fromFileText(e.what()));
    return;
  }
  showUsers(data);
}

void TMainForm::showUsers(const users::UsersData& data) {
  userNames_ = data.userNames;
  userDirs_ = data.userDirs;
  albumNames_ = data.albumNames;
  UserBox->Clear();
  for (const std::string& item : data.items) UserBox->Add(item);
  UserBox->SetItemIndex(data.selectFirst && UserBox->Count() > 0 ? 0 : -1);
}

void TMainForm::LoadPictureNames() {
  ListBox1->Clear();
  refreshGallery();
  const int user = UserBox->ItemIndex();
  if (UserBox->Count() == 0 || user < 0) return;
  // Each entry shows its file name and keeps its path inside the user's folder:
  // a copy may hold Backup and backup.
  for (const std::string& entry : listedPictures(userDirs_[static_cast<size_t>(user)]))
    ListBox1->Add(fromFileText(platform::fileNameOf(entry)), entry);
  if (ListBox1->Count() == 0) ui_.showMessage(msg::NoSavedPictures);
}

void TMainForm::UserBoxCloseUp() { LoadPictureNames(); }

std::vector<std::string> TMainForm::userDatabases(int user) const {
  std::vector<std::string> databases;
  const std::string& userFolder = userDirs_[static_cast<size_t>(user)];
  for (const std::string& entry : listedPictures(userFolder)) databases.push_back(userFolder + entry);
  return databases;
}

void TMainForm::ListBox1Click() {
  const int selected = ListBox1->ItemIndex();
  const int user = UserBox->ItemIndex();
  if (selected < 0 || user < 0) return;
  LoadPicture(userDirs_[static_cast<size_t>(user)] + ListBox1->Data(selected));
}

void TMainForm::LoadPicture(const std::string& path) {
  album::PictureDatabase database(path);
  pictureName_ = database.name();
  pictureInfo_ = album::pngInfo(database);
  album::DecodeSteps steps;
  steps.nameChecked = [this] {
    // The name comes from inside the file: Windows-1252.
    SetCaption(std::string(kApplicationTitle) + " - " + base::cp1252ToUtf8(pictureName_));
  };
  steps.sizeKnown = [this](album::PictureSize size) { placePicture(size); };
  try {
    base::Bitmap picture;
    if (!album::decodeDatabase(database, picture, steps)) {
      ui_.showMessage(album::msg::InvalidDatabase);
      pictureName_.clear();
      return;
    }
    Image1->SetBitmap(std::move(picture));
  } catch (...) {
    // The picture on screen is not the named one: Save must not write it under that name.
    pictureName_.clear();
    throw;
  }
}

void TMainForm::enterFolderOf(const std::string& file) {
  const std::string path = platform::absolutePath(file);
  const auto cut = path.find_last_of(std::string("/") + platform::kPathSeparator);
  if (cut == std::string::npos) return;
  const std::string folder = path.substr(0, cut + 1);
  if (platform::setCurrentDirectory(folder)) lastFolder_ = folder;
}

std::string TMainForm::dialogStart() const {
  std::string pictures = platform::picturesFolder();
  if (!platform::directoryExists(pictures)) pictures = platform::homeFolder();
  return forms::dialogFolder(dialogStartFolder(programFolder_, lastFolder_, pictures));
}

void TMainForm::Open1Click() {
  OpenDialog1.initialFolder = dialogStart();
  const auto file = ui_.openFile(OpenDialog1);
  if (!file) return;
  enterFolderOf(*file);
  LoadPicture(*file);
}

std::string TMainForm::savedFileName() const {
  // The name comes from the file: it must not lead the picture into another folder.
  return platform::toPlainFileName(platform::ansiToFileName(pictureName_)) + ".bmp";
}

void TMainForm::writeShownPicture(const std::string& path) {
  album::writePicture(Image1->Bitmap(), path, pictureInfo_);
}

void TMainForm::Save1Click() {
  if (pictureName_.empty() || Image1->Bitmap().empty()) {
    ui_.showMessage(msg::LoadPictureFirst);
    return;
  }
  writeShownPicture(savedFileName());
}

void TMainForm::SaveAs1Click() {
  if (pictureName_.empty() || Image1->Bitmap().empty()) {
    ui_.showMessage(msg::LoadPictureFirst);
    return;
  }
  SaveDialog1.initialFolder = dialogStart();
  SaveDialog1.title = "Save Bitmap As...";
  SaveDialog1.filter = "Bmp Files (*.bmp)|*.BMP";
  SaveDialog1.defaultExtension = "bmp";
  SaveDialog1.fileName = savedFileName();
  const auto file = ui_.saveFile(SaveDialog1);
  if (!file) return;
  const std::string path = savedPicturePath(*file);
  enterFolderOf(path);
  writeShownPicture(path);
}

void TMainForm::ExportAll1Click() {
  const int user = UserBox->ItemIndex();
  if (ListBox1->Count() == 0 || user < 0) return;
  // Each entry is a path inside the user's folder.
  const std::string& userFolder = userDirs_[static_cast<size_t>(user)];
  std::vector<std::string> databases;
  for (int i = 0; i < ListBox1->Count(); ++i) databases.push_back(userFolder + ListBox1->Data(i));
  const auto decodeIntoWorkImage = [this](const std::string& path, album::PictureAndInfo& into) {
    Image2->SetBitmap({});
    if (!album::decodePictureAndInfo(path, into)) return false;
    Image2->SetBitmap(into.picture);
    return true;
  };
  forms::WaitCursor wait;
  BoxReport report(ui_, [this](size_t done, size_t total) { reportProgress(done, total); });
  album::exportUserDatabases(exportRoot(programFolder_), albumNames_[static_cast<size_t>(user)], databases,
                             decodeIntoWorkImage, report);
}

void TMainForm::reportProgress(size_t done, size_t total) {
  if (OnExportProgress) OnExportProgress(static_cast<int>(done), static_cast<int>(total));
}

void TMainForm::Exit1Click() { Close(); }

void TMainForm::Instructions1Click() {
  const std::string folder = helpFolder(programFolder_, kHelpFileName);
  const auto result = ui_.openDocument(folder, kHelpFileName);
  if (result == forms::OpenResult::AssociationIncomplete)
    ui_.showMessage(msg::NoHelpAssociation);
  else if (result == forms::OpenResult::Failed)
    ui_.showMessage(base::formatMessage(msg::CannotOpenHelp, {kHelpFileName}));
}

void TMainForm::About1Click() { aboutBox_(false); }

}  // namespace app
