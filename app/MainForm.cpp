// The main window's layout: every control at its place, in pixels.
#include "app/MainForm.h"

#include "album/PictureTemplate.h"
#include "forms/Resources.h"

namespace app {

namespace {

const forms::TColor kSkyBlue = forms::rgbColor(166, 202, 240);
const forms::TColor kPurple = forms::rgbColor(128, 0, 128);
const forms::TColor kBlue = forms::rgbColor(0, 0, 255);
const forms::TColor kUserBoxColor = forms::rgbColor(202, 251, 255);
const forms::TColor kListBoxColor = forms::rgbColor(254, 255, 210);
constexpr int kItemHeight = 15;
constexpr int kClientWidth = 492;
constexpr int kClientHeight = 328;

forms::TFontInfo textFont(const char* name, int pixels, bool bold = false, forms::TColor color = forms::clWindowText) {
  forms::TFontInfo info;
  info.name = name;
  info.pixels = pixels;
  info.bold = bold;
  info.color = color;
  return info;
}

std::vector<std::string> glyphNames() {
  std::vector<std::string> names;
  for (int i = 0; i < 7; ++i) names.push_back("glyph" + std::to_string(i));
  return names;
}

}  // namespace

TMainForm::TMainForm(forms::UserInterface& ui, UsersSource users, AboutBox aboutBox)
    : forms::TMainWindow(kClientWidth, kClientHeight, glyphNames()),
      ui_(ui),
      users_(std::move(users)),
      aboutBox_(aboutBox ? std::move(aboutBox) : [this](bool splash) { ShowAboutBox(this, splash); }),
      userNames_(users::kUserSlots),
      userDirs_(users::kUserSlots) {
  buildWindow();
  FormCreate();
}

TMainForm::~TMainForm() = default;

void TMainForm::buildWindow() {
  SetName("MainForm");
  SetCaption(kApplicationTitle);
  SetIcon();
  OnDropFile = [this](const std::string& path) { runCommand([&] { openPath(path); }); };
  SetFont(textFont("MS Sans Serif", 11));
  SetColor(kSkyBlue);

  buildMenu();
  buildAlbumMenu();
  buildToolBar();
  buildImages();
  buildLabels();
  buildLists();

  SetTabOrder({ListBox1, UserBox, ToolBar1});
  CenterOnScreen();
}

forms::TMenuItem* TMainForm::addItem(forms::TMenu* menu, const char* name, const char* caption, int glyph,
                                     const char* hint, void (TMainForm::*handler)(), const char* shortcut) {
  return menu->AddItem(
      name, caption, glyph, hint, [this, handler] { runCommand([this, handler] { (this->*handler)(); }); },
      shortcut);
}

void TMainForm::buildMenu() {
  Picture1 = AddMenu("Picture1", "Picture");
  Open1 = addItem(Picture1, "Open1", "Open from PDB", 0, "Open From PDB", &TMainForm::Open1Click);
  Save1 = addItem(Picture1, "Save1", "Save", 1, "Save", &TMainForm::Save1Click);
  SaveAs1 = addItem(Picture1, "SaveAs1", "Save As...", 2, "Save As...", &TMainForm::SaveAs1Click);
  Picture1->AddSeparator("N1");
  ExportAll1 = addItem(Picture1, "ExportAll1", "Export All", 6, "Export All", &TMainForm::ExportAll1Click);
  Picture1->AddSeparator("N3");
  Exit1 = addItem(Picture1, "Exit1", "Exit", 3, "Exit", &TMainForm::Exit1Click);

  Help1 = AddMenu("Help1", "Help");
  Instructions1 = addItem(Help1, "Instructions1", "Instructions", 4, "Instructions", &TMainForm::Instructions1Click);
  Help1->AddSeparator("N2");
  About1 = addItem(Help1, "About1", "About", 5, "", &TMainForm::About1Click);
}

void TMainForm::buildToolBar() {
  ToolBar1 = new forms::TToolBar(*this, "ToolBar1");
  ToolBar1->SetBounds({0, 0, kClientWidth, 24});
  ToolBar1->AddButton("ToolButton1", 0, *Open1, "Open From PDB");
  ToolBar1->AddButton("ToolButton2", 23, *Save1, "Save");
  ToolBar1->AddButton("ToolButton3", 46, *SaveAs1, "Save As...");
  ToolBar1->AddSeparator("ToolButton8", 69, 8);
  ToolBar1->AddButton("ToolButton7", 77, *ExportAll1, "");
  ToolBar1->AddSeparator("ToolButton4", 100, 9);
  ToolBar1->AddButton("ToolButton6", 109, *Instructions1, "");
  ToolBar1->AddSeparator("ToolButton9", 132, 31);
  ToolBar1->AddButton("ToolButton5", 163, *Exit1, "Exit");
}

void TMainForm::buildImages() {
  using Shape = forms::TBevel::Shape;
  Bevel3 = new forms::TBevel(*this, "Bevel3", Shape::TopLine);
  Bevel3->SetBounds({-1, 25, 494, 7});
  Bevel1 = new forms::TBevel(*this, "Bevel1", Shape::Box);
  Image1 = new forms::TImage(*this, "Image1", true);
  const album::PictureSize large = album::PictureSize::Large;
  Image1->SetBounds({0, 0, album::pictureWidth(large), album::pictureHeight(large)});
  placePicture(large);
  Bevel2 = new forms::TBevel(*this, "Bevel2", Shape::Box);
  Bevel2->SetBounds({338, 270, 145, 50});
  LogoImage = new forms::TImage(*this, "LogoImage", false);
  LogoImage->SetBounds({340, 272, 130, 33});
  LogoImage->SetBitmap(forms::LoadBitmapResource("logo.bmp"));

  // Hidden images: the two picture templates and the work image of Export All.
  Image160 = new forms::TImage(*this, "Image160", true);
  Image160->SetBitmap(album::blankPicture(album::PictureSize::Small));
  Image320 = new forms::TImage(*this, "Image320", true);
  Image320->SetBitmap(album::blankPicture(album::PictureSize::Large));
  Image2 = new forms::TImage(*this, "Image2", true);
  for (forms::TImage* hidden : {Image160, Image320, Image2}) hidden->SetVisible(false);
}

void TMainForm::placePicture(album::PictureSize size) {
  const bool large = size == album::PictureSize::Large;
  const int left = large ? 8 : 88;
  const int top = large ? 39 : 107;
  const int width = album::pictureWidth(size);
  const int height = album::pictureHeight(size);
  Image1->Move(left, top);
  Bevel1->SetBounds({left - 2, top - 2, width + 4, height + 4});
}

void TMainForm::buildLabels() {
  Label2 = new forms::TLabel(*this, "Label2", "Current User", {339, 34, 73, 15}, textFont("Arial", 12, true, kPurple));
  Label3 = new forms::TLabel(*this, "Label3", "Saved Pictures", {339, 74, 86, 15}, textFont("Arial", 12, true, kPurple));
  Label1 = new forms::TLabel(*this, "Label1", "www.quillory.de", {369, 303, 81, 14}, textFont("Arial", 11, false, kBlue));
}

void TMainForm::buildLists() {
  UserBox = new forms::TComboBox(*this, "UserBox");
  UserBox->SetBounds({338, 49, 145, 23});
  UserBox->SetFont(textFont("Arial", 12));
  UserBox->SetItemHeight(kItemHeight);
  UserBox->SetColor(kUserBoxColor);
  UserBox->OnCloseUp = [this] { runCommand([this] { UserBoxCloseUp(); }); };

  ListBox1 = new forms::TListBox(*this, "ListBox1");
  ListBox1->SetBounds({338, 90, 145, 101});
  ListBox1->SetFont(textFont("Arial", 12));
  ListBox1->SetItemHeight(kItemHeight);
  ListBox1->SetColor(kListBoxColor);
  ListBox1->OnChange = [this] { runCommand([this] { ListBox1Click(); }); };
}

}  // namespace app
