// The main window: the Palm Desktop users, the picture list of the chosen user,
// the picture shown, and the commands of the menu and tool bar.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "album/PictureTemplate.h"
#include "album/PngWriter.h"
#include "app/AboutBox.h"
#include "forms/Dialogs.h"
#include "forms/Gallery.h"
#include "forms/MainWindow.h"
#include "forms/StdCtrls.h"
#include "forms/core/Classes.h"
#include "platform/Files.h"
#include "users/UserDirectory.h"

namespace app {

inline constexpr const char* kApplicationTitle = "Quillory Album";

// Also a component, so that the windows it shows (the about box) can be owned by it.
class TMainForm : public forms::TMainWindow {
 public:
  // Where the window learns of the Palm Desktop users; the program reads them
  // from the registry and UserData.dll.
  using UsersSource = std::function<users::UsersData()>;
  // Shows the about box modally: as the splash (closing on its timer) or until clicked.
  // None shows the real box, owned by this window.
  using AboutBox = std::function<void(bool splash)>;

  // Builds the window and runs its start-up (FormCreate).
  TMainForm(forms::UserInterface& ui, UsersSource users = &TMainForm::startUpUsers, AboutBox aboutBox = {});
  const char* ClassName() const override { return "TMainForm"; }

  // Start-up, after the controls exist.
  void FormCreate();
  void GetUsersData();
  void LoadPictureNames();
  void LoadPicture(const std::string& path);

  // Handlers of the lists, menu items and tool buttons.
  void UserBoxCloseUp();
  void ListBox1Click();
  void Open1Click();
  void Save1Click();
  void SaveAs1Click();
  void ExportAll1Click();
  void Exit1Click();
  void Instructions1Click();
  void About1Click();
  void Gallery1Click();
  void WebAlbum1Click();

  // The about box as the splash, shown first in start-up.
  void showSplash();

  // The users the program starts with: Palm Desktop's, else (outside Windows)
  // those of the Palm folder opened last, a Wine prefix or J-Pilot's backup.
  static users::UsersData startUpUsers();
  // The users of a Palm folder, which is remembered for the next start when it has any.
  static users::UsersData palmFolderUsers(const std::string& folder);
  // Where the users come from for the program's arguments: a folder argument
  // gives that Palm folder's users, otherwise startUpUsers.
  static UsersSource startUpSource(const std::vector<std::string>& arguments);
  // After start-up: a database argument is loaded as Open does.
  void openArguments(const std::vector<std::string>& arguments);
  // A folder (its users and the first user's pictures) or a picture database,
  // as a drop or the command line gives it.
  void openPath(const std::string& path);

  // The folder the program lies in (its own by default), with its trailing
  // separator: it decides where exports, the help page and the file dialogs are
  // (see ProgramPlaces.h).
  void setProgramFolder(std::string folder) { programFolder_ = std::move(folder); }

  // Runs a command; an exception it raises reaches the general error handler.
  void runCommand(const std::function<void()>& command);

  const std::string& currentPictureName() const { return pictureName_; }
  const std::vector<std::string>& userNames() const { return userNames_; }
  const std::vector<std::string>& userDirs() const { return userDirs_; }
  // The gallery window, once opened.
  forms::TGalleryWindow* gallery() const { return gallery_; }

  // Controls and components, named as in the layout.
  forms::TToolBar* ToolBar1 = nullptr;
  forms::TBevel* Bevel1 = nullptr;
  forms::TBevel* Bevel2 = nullptr;
  forms::TBevel* Bevel3 = nullptr;
  forms::TImage* Image1 = nullptr;
  forms::TImage* Image160 = nullptr;
  forms::TImage* Image320 = nullptr;
  forms::TImage* Image2 = nullptr;
  forms::TImage* LogoImage = nullptr;
  forms::TLabel* Label1 = nullptr;
  forms::TLabel* Label2 = nullptr;
  forms::TLabel* Label3 = nullptr;
  forms::TComboBox* UserBox = nullptr;
  forms::TListBox* ListBox1 = nullptr;
  forms::TMenu* Picture1 = nullptr;
  forms::TMenu* Help1 = nullptr;
  forms::TMenuItem* Open1 = nullptr;
  forms::TMenuItem* Save1 = nullptr;
  forms::TMenuItem* SaveAs1 = nullptr;
  forms::TMenuItem* ExportAll1 = nullptr;
  forms::TMenuItem* Exit1 = nullptr;
  forms::TMenuItem* Instructions1 = nullptr;
  forms::TMenuItem* About1 = nullptr;
  forms::TMenu* Album1 = nullptr;
  forms::TMenuItem* Gallery1 = nullptr;
  forms::TMenuItem* WebAlbum1 = nullptr;
  forms::FileDialogSetup OpenDialog1;
  forms::FileDialogSetup SaveDialog1;

  // Export All or the web album is about to read database `done` of `total` (`total` of `total` at the end).
  std::function<void(int done, int total)> OnExportProgress;

 protected:
  ~TMainForm() override;

 private:
  void buildWindow();
  void showUsers(const users::UsersData& data);
  void buildImages();
  void buildLabels();
  void buildLists();
  void buildMenu();
  void buildToolBar();
  void buildAlbumMenu();
  forms::TMenuItem* addItem(forms::TMenu* menu, const char* name, const char* caption, int glyph, const char* hint,
                            void (TMainForm::*handler)(), const char* shortcut = "");
  void reportProgress(size_t done, size_t total);

  // Image1 where a picture of `size` shows, framed by Bevel1.
  void placePicture(album::PictureSize size);
  void writeShownPicture(const std::string& path);
  // The file name Save writes and Save As proposes: the picture name and ".bmp".
  std::string savedFileName() const;
  // The folder of a file opened or saved becomes the current directory and the folder last used.
  void enterFolderOf(const std::string& file);
  // The folder the Open and Save As dialogs start in.
  std::string dialogStart() const;
  // The picture databases of user `user`, full paths in the list's order.
  std::vector<std::string> userDatabases(int user) const;
  // The open gallery shows the chosen user's pictures.
  void refreshGallery();
  // A picture chosen in the gallery: its list entry is selected and it is shown.
  void showGalleryPicture(const std::string& database);

  forms::UserInterface& ui_;
  std::string programFolder_ = platform::programFolder();
  std::string lastFolder_;
  UsersSource users_;
  AboutBox aboutBox_;
  std::string pictureName_;
  // What a file saved from the picture shown records of its database: its date, and in a PNG its name.
  album::PngInfo pictureInfo_;
  std::vector<std::string> userNames_;
  std::vector<std::string> userDirs_;
  std::vector<std::string> albumNames_ = std::vector<std::string>(users::kUserSlots);
  forms::TGalleryWindow* gallery_ = nullptr;
};

}  // namespace app
