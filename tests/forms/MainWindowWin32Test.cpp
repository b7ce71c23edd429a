// The Win32 main window with its menus, tool bar and standard controls, as real
// windows driven by the system's own input.
#include <gtest/gtest.h>

#include "Win32Input.h"
#include "forms/MainWindow.h"
#include "forms/StdCtrls.h"

#include <commctrl.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using win32test::press;
using win32test::runUntil;

const forms::TColor kSkyBlue = forms::rgbColor(166, 202, 240);

// A main window built the way the program builds its own: two menus whose items
// show the test's two glyphs, a tool bar running them, a drop-down list and a list.
struct TestWindow {
  forms::ComponentPtr<forms::TMainWindow> main{
      new forms::TMainWindow(492, 328, {"glyph-alpha", "glyph-magenta"})};
  int opened = 0;
  int saved = 0;
  int exits = 0;
  forms::TMenu* picture = main->AddMenu("Picture1", "Picture");
  forms::TMenuItem* open = picture->AddItem("Open1", "Open from PDB", 0, "Open From PDB", [this] { ++opened; });
  forms::TMenuItem* save = picture->AddItem("Save1", "Save", 1, "Save", [this] { ++saved; }, "Ctrl+G");
  forms::TMenu* help = main->AddMenu("Help1", "Help");
  forms::TMenuItem* exit = help->AddItem("Exit1", "Exit", -1, "Exit", [this] { ++exits; });
  forms::TToolBar* toolBar = new forms::TToolBar(*main, "ToolBar1");
  forms::TComboBox* users = new forms::TComboBox(*main, "UserBox");
  forms::TListBox* list = new forms::TListBox(*main, "ListBox1");

  TestWindow() {
    picture->AddSeparator("N1");
    main->SetColor(kSkyBlue);
    toolBar->SetBounds({0, 0, 492, 24});
    toolBar->AddButton("ToolButton1", 0, *open, "Open From PDB");
    toolBar->AddButton("ToolButton2", 23, *save, "");
    toolBar->AddSeparator("ToolButton3", 46, 8);
    toolBar->AddButton("ToolButton4", 54, *exit, "Exit");
    users->SetBounds({338, 49, 145, 23});
    users->SetFont({"Arial", 12});
    users->SetItemHeight(15);
    list->SetBounds({338, 90, 145, 101});
    list->SetFont({"Arial", 12});
    list->SetItemHeight(15);
  }

  HWND handle() const { return main->Handle(); }
  HWND buttons() const { return FindWindowExW(toolBar->Handle(), nullptr, TOOLBARCLASSNAMEW, nullptr); }

  void show() {
    main->CenterOnScreen();
    main->Show();
    runUntil([&] { return GetForegroundWindow() == handle(); });
  }
};

std::wstring menuText(HMENU menu, UINT position) {
  wchar_t text[100] = {};
  GetMenuStringW(menu, position, text, 100, MF_BYPOSITION);
  return text;
}

HBITMAP menuBitmap(HMENU menu, UINT position) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_BITMAP;
  GetMenuItemInfoW(menu, position, TRUE, &info);
  return info.hbmpItem;
}

// An item's glyph as the menu has the window draw it (WM_DRAWITEM), over green.
win32test::Capture drawnGlyph(HWND window, UINT command) {
  return win32test::Capture(16, 16, [&](HDC dc) {
    const RECT area{0, 0, 16, 16};
    HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));
    FillRect(dc, &area, green);
    DeleteObject(green);
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_MENU;
    draw.itemID = command;
    draw.hDC = dc;
    draw.rcItem = area;
    SendMessageW(window, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
  });
}

std::wstring toolTip(HWND buttons, UINT command) {
  wchar_t text[100] = {};
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = buttons;
  tool.uId = command;
  tool.lpszText = text;
  SendMessageW(reinterpret_cast<HWND>(SendMessageW(buttons, TB_GETTOOLTIPS, 0, 0)), TTM_GETTEXTW, 100,
               reinterpret_cast<LPARAM>(&tool));
  return text;
}

TEST(Win32MainWindow, FrameMenusGlyphsAndToolBarAsBuilt) {
  TestWindow w;
  w.main->SetCaption("Album \xE2\x80\x93 \xC3\x9C" "ber");
  w.main->SetIcon();
  w.show();

  RECT client;
  GetClientRect(w.handle(), &client);
  EXPECT_EQ(client.right, 492);
  EXPECT_EQ(client.bottom, 328);
  const LONG_PTR style = GetWindowLongPtrW(w.handle(), GWL_STYLE);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);
  RECT outer;
  GetWindowRect(w.handle(), &outer);
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_NEAR(outer.left + outer.right, work.left + work.right, 1);
  EXPECT_NEAR(outer.top + outer.bottom, work.top + work.bottom, 1);

  wchar_t caption[50] = {};
  GetWindowTextW(w.handle(), caption, 50);
  EXPECT_STREQ(caption, L"Album \u2013 \u00DCber");
  EXPECT_EQ(w.main->Caption(), "Album \xE2\x80\x93 \xC3\x9C" "ber");
  EXPECT_NE(SendMessageW(w.handle(), WM_GETICON, ICON_BIG, 0), 0);

  HMENU bar = GetMenu(w.handle());
  ASSERT_EQ(GetMenuItemCount(bar), 2);
  EXPECT_EQ(menuText(bar, 0), L"Picture");
  EXPECT_EQ(menuText(bar, 1), L"Help");
  HMENU pictureMenu = GetSubMenu(bar, 0);
  ASSERT_EQ(GetMenuItemCount(pictureMenu), 3);
  EXPECT_EQ(menuText(pictureMenu, 0), L"Open from PDB");
  EXPECT_EQ(menuText(pictureMenu, 1), L"Save\tCtrl+G");
  EXPECT_TRUE(GetMenuState(pictureMenu, 2, MF_BYPOSITION) & MF_SEPARATOR);
  EXPECT_EQ(menuBitmap(pictureMenu, 0), HBMMENU_CALLBACK);
  EXPECT_EQ(menuBitmap(GetSubMenu(bar, 1), 0), nullptr);

  // The window draws an item's glyph: the alpha glyph and the magenta one are
  // transparent around an opaque square.
  const auto alpha = drawnGlyph(w.handle(), w.open->CommandId());
  const auto keyed = drawnGlyph(w.handle(), w.save->CommandId());
  EXPECT_EQ(alpha.at(0, 0), RGB(0, 255, 0));
  EXPECT_EQ(alpha.at(5, 5), RGB(255, 0, 0));
  EXPECT_EQ(keyed.at(0, 0), RGB(0, 255, 0));
  EXPECT_EQ(keyed.at(5, 5), RGB(0, 0, 255));
  EXPECT_EQ(w.main->Images().Count(), 2);

  HWND buttons = w.buttons();
  const std::vector<std::pair<int, int>> placed = {{0, 23}, {23, 23}, {46, 8}, {54, 23}};
  ASSERT_EQ(SendMessageW(buttons, TB_BUTTONCOUNT, 0, 0), static_cast<LRESULT>(placed.size()));
  for (size_t i = 0; i < placed.size(); ++i) {
    RECT r;
    SendMessageW(buttons, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(r.left, placed[i].first) << i;
    EXPECT_EQ(r.right - r.left, placed[i].second) << i;
  }
  EXPECT_EQ(toolTip(buttons, w.open->CommandId()), L"Open From PDB");
  EXPECT_EQ(toolTip(buttons, w.save->CommandId()), L"");
  EXPECT_EQ(toolTip(buttons, w.exit->CommandId()), L"Exit");
}

TEST(Win32MainWindow, CommandsRunFromShortcutToolButtonAndMenuKeys) {
  TestWindow w;
  w.show();
  press({VK_CONTROL, 'G'});
  EXPECT_EQ(w.saved, 1);

  RECT exitButton;
  SendMessageW(w.buttons(), TB_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&exitButton));
  MapWindowPoints(w.buttons(), w.handle(), reinterpret_cast<POINT*>(&exitButton), 2);
  win32test::click(w.handle(), {exitButton.left + 10, exitButton.top + 10});
  EXPECT_TRUE(runUntil([&] { return w.exits == 1; }));

  // F10 opens the menu bar; Down drops the first menu; Enter chooses its first item.
  // Typed at once: the menu runs a loop of its own until it is closed.
  win32test::type({VK_F10, VK_DOWN, VK_RETURN});
  EXPECT_TRUE(runUntil([&] { return w.opened == 1; }));
  EXPECT_EQ(w.saved, 1);
  EXPECT_EQ(w.exits, 1);
}

TEST(Win32ComboBox, ItemsHeightsAndCloseUpOncePerPickOrKey) {
  TestWindow w;
  int closeUps = 0;
  w.users->OnCloseUp = [&] { ++closeUps; };
  for (const char* user : {"Ann", "B\xC3\xA9la", "Cem"}) w.users->Add(user);
  w.users->SetItemIndex(0);
  w.main->SetTabOrder({w.users, w.list});
  w.show();

  EXPECT_EQ(w.users->Count(), 3);
  EXPECT_EQ(w.users->Text(1), "B\xC3\xA9la");
  RECT closed;
  GetWindowRect(w.users->Handle(), &closed);
  EXPECT_EQ(closed.bottom - closed.top, 23);
  EXPECT_EQ(SendMessageW(w.users->Handle(), CB_GETITEMHEIGHT, 0, 0), 15);
  ASSERT_EQ(GetFocus(), w.users->Handle());

  // The closed box: Down picks the next user at once.
  press({VK_DOWN});
  EXPECT_EQ(w.users->ItemIndex(), 1);
  EXPECT_EQ(closeUps, 1);
  // Dropped and closed without a pick, and dropped, moved and picked: once each.
  press({VK_F4});
  press({VK_ESCAPE});
  EXPECT_TRUE(runUntil([&] { return closeUps == 2; }));
  EXPECT_EQ(w.users->ItemIndex(), 1);
  press({VK_F4});
  press({VK_DOWN});
  press({VK_RETURN});
  EXPECT_TRUE(runUntil([&] { return closeUps == 3; }));
  EXPECT_EQ(w.users->ItemIndex(), 2);
  win32test::runFor(100);
  EXPECT_EQ(closeUps, 3);
}

TEST(Win32ListBox, EntriesWithDataAndSelectionByKeys) {
  TestWindow w;
  int changes = 0;
  w.list->OnChange = [&] { ++changes; };
  w.list->Add("QuilloryPic1.pdb", "Backup\\QuilloryPic1.pdb");
  w.list->Add("QuilloryPic2.pdb", "Archive\\QuilloryPic2.pdb");
  w.list->Add("QuilloryPic3.pdb", "Backup\\QuilloryPic3.pdb");
  w.main->SetTabOrder({w.list, w.users});
  w.show();
  ASSERT_EQ(GetFocus(), w.list->Handle());
  EXPECT_EQ(w.list->ItemIndex(), -1);
  EXPECT_EQ(SendMessageW(w.list->Handle(), LB_GETITEMHEIGHT, 0, 0), 15);

  // Down with nothing selected takes the first entry, then the next.
  press({VK_DOWN});
  EXPECT_EQ(w.list->ItemIndex(), 0);
  EXPECT_EQ(changes, 1);
  press({VK_DOWN});
  EXPECT_EQ(w.list->ItemIndex(), 1);
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(w.list->Text(1), "QuilloryPic2.pdb");
  EXPECT_EQ(w.list->Data(1), "Archive\\QuilloryPic2.pdb");

  w.list->SelectItem(1);
  EXPECT_EQ(changes, 2);
  w.list->SelectItem(2);
  EXPECT_EQ(changes, 3);

  w.list->Clear();
  w.list->Add("QuilloryPicA.pdb", "A");
  EXPECT_EQ(w.list->Count(), 1);
  EXPECT_EQ(w.list->Data(0), "A");
  EXPECT_EQ(w.list->Data(1), "");
  EXPECT_EQ(w.list->ItemIndex(), -1);
}

TEST(Win32MainWindow, TabMovesThroughTheControlsInTheirOrder) {
  TestWindow w;
  auto* other = new forms::TListBox(*w.main, "ListBox2");
  other->SetBounds({10, 200, 100, 50});
  // Not the order they were made in.
  w.main->SetTabOrder({w.users, other, w.list});
  w.show();
  EXPECT_EQ(GetFocus(), w.users->Handle());
  press({VK_TAB});
  EXPECT_EQ(GetFocus(), other->Handle());
  press({VK_TAB});
  EXPECT_EQ(GetFocus(), w.list->Handle());
  press({VK_TAB});
  EXPECT_EQ(GetFocus(), w.users->Handle());
  press({VK_SHIFT, VK_TAB});
  EXPECT_EQ(GetFocus(), w.list->Handle());
}

// What the shell hands over when files are dropped: DROPFILES and the ANSI names.
HGLOBAL dropOf(const std::vector<std::string>& paths) {
  std::string names;
  for (const std::string& path : paths) names += path + '\0';
  names += '\0';
  HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size());
  auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), names.data(), names.size());
  GlobalUnlock(memory);
  return memory;
}

TEST(Win32MainWindow, DroppedFileGoesToOnDropFileAsItsBytes) {
  TestWindow w;
  std::vector<std::string> dropped;
  w.main->OnDropFile = [&](const std::string& path) { dropped.push_back(path); };
  w.show();
  EXPECT_TRUE(GetWindowLongPtrW(w.handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
  const std::string first = "C:\\Palm\\Caf\xE9\\QuilloryPic1.pdb";  // Windows-1252, as the file system has it
  PostMessageW(w.handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(dropOf({first, "C:\\other.pdb"})), 0);
  ASSERT_TRUE(runUntil([&] { return !dropped.empty(); }));
  EXPECT_EQ(dropped, std::vector<std::string>{first});
}

TEST(Win32MainWindow, PaintsBackgroundBevelsImageAndLabel) {
  TestWindow w;
  auto* frame = new forms::TBevel(*w.main, "Bevel1", forms::TBevel::Shape::Box);
  frame->SetBounds({6, 37, 324, 284});
  auto* rule = new forms::TBevel(*w.main, "Bevel3", forms::TBevel::Shape::TopLine);
  rule->SetBounds({-1, 25, 494, 7});
  auto* image = new forms::TImage(*w.main, "Image1", true);
  image->SetBounds({8, 39, 320, 280});
  const forms::TColor purple = forms::rgbColor(128, 0, 128);
  auto* label = new forms::TLabel(*w.main, "Label2", "Current User", {339, 34, 73, 15}, {"Arial", 12, true, false,
                                                                                           false, false, purple});
  w.show();

  const win32test::Capture window(w.handle());
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
  EXPECT_EQ(window.at(200, 5 + 200), RGB(166, 202, 240));
  EXPECT_EQ(window.at(6, 37), shadow);
  EXPECT_EQ(window.at(6, 37 + 100), shadow);
  EXPECT_EQ(window.at(6 + 323, 37 + 100), highlight);
  EXPECT_EQ(window.at(100, 37 + 283), highlight);
  EXPECT_EQ(window.at(100, 25), shadow);
  EXPECT_EQ(window.at(100, 26), highlight);

  // An 8-bit picture through its palette, unscaled; a 24-bit one as it is.
  base::Bitmap indexed(4, 2, base::PixelFormat::Indexed8);
  indexed.palette() = {{0, 0, 0, 0}, {0x30, 0x20, 0x10, 0}, {0xF0, 0x80, 0x08, 0}};
  indexed.scanLine(0)[0] = 1;
  indexed.scanLine(1)[3] = 2;
  image->SetBitmap(indexed);
  RECT r;
  GetWindowRect(image->Handle(), &r);
  EXPECT_EQ(r.right - r.left, 4);
  EXPECT_EQ(r.bottom - r.top, 2);
  const win32test::Capture small(image->Handle());
  EXPECT_EQ(small.at(0, 0), RGB(0x10, 0x20, 0x30));
  EXPECT_EQ(small.at(3, 1), RGB(0x08, 0x80, 0xF0));
  EXPECT_EQ(small.at(1, 0), RGB(0, 0, 0));

  base::Bitmap colour(3, 3, base::PixelFormat::Rgb24);
  colour.scanLine(2)[2 * 3 + 0] = 0x11;
  colour.scanLine(2)[2 * 3 + 1] = 0x22;
  colour.scanLine(2)[2 * 3 + 2] = 0x33;
  image->SetBitmap(colour);
  image->SetBounds({8, 39, 10, 10});
  const win32test::Capture larger(image->Handle());
  EXPECT_EQ(larger.at(2, 2), RGB(0x33, 0x22, 0x11));
  EXPECT_EQ(larger.at(5, 5), RGB(166, 202, 240));

  // The label: its text, font and colour, on the window's background.
  wchar_t text[20] = {};
  GetWindowTextW(label->Handle(), text, 20);
  EXPECT_STREQ(text, L"Current User");
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(label->Handle(), WM_GETFONT, 0, 0)), sizeof font, &font);
  EXPECT_STREQ(font.lfFaceName, L"Arial");
  EXPECT_EQ(font.lfHeight, -12);
  EXPECT_EQ(font.lfWeight, FW_BOLD);
  // All of it shows, however wide the system's font draws it.
  HDC labelDc = GetDC(label->Handle());
  HGDIOBJ oldFont = SelectObject(labelDc, reinterpret_cast<HFONT>(SendMessageW(label->Handle(), WM_GETFONT, 0, 0)));
  SIZE extent{};
  GetTextExtentPoint32W(labelDc, L"Current User", 12, &extent);
  SelectObject(labelDc, oldFont);
  ReleaseDC(label->Handle(), labelDc);
  RECT labelArea;
  GetClientRect(label->Handle(), &labelArea);
  EXPECT_GE(labelArea.right, extent.cx);
  EXPECT_GE(labelArea.right, 73);
  HDC dc = CreateCompatibleDC(nullptr);
  auto brush = reinterpret_cast<HBRUSH>(
      SendMessageW(w.handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(label->Handle())));
  EXPECT_EQ(GetTextColor(dc), RGB(128, 0, 128));
  EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
  LOGBRUSH fill{};
  GetObjectW(brush, sizeof fill, &fill);
  EXPECT_EQ(fill.lbColor, RGB(166, 202, 240));
  DeleteDC(dc);
}

}  // namespace
