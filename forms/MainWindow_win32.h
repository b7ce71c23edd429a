// The Win32 side of the main window: an overlapped window with a menu bar whose
// items carry 32-bit glyph bitmaps, shortcuts in an accelerator table, a
// comctl32 tool bar inside a frame that draws its edge lines, and the parts of
// its client area (StdCtrls_win32.h), which it frees when it goes.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "base/Bitmap.h"
#include "forms/Graphics.h"
#include "forms/Window_win32.h"

struct HFONT__;
struct HMENU__;
struct HACCEL__;
struct HBRUSH__;
struct _IMAGELIST;

namespace forms {
class TMainWindow;
class TMenu;
class TMenuItem;
class TToolBar;

namespace native {

class MainWindow;

// A control that the tab key moves to: any window of the main window's client area.
class Focusable {
 public:
  Focusable(const Window* control) : handle_(control->Handle()) {}  // NOLINT: controls convert as they are
  WindowHandle Handle() const { return handle_; }

 private:
  WindowHandle handle_;
};

// A part of a main window: a control of its client area, or a window it owns.
// The main window frees the parts it still has when it goes. A part without a
// window of its own is drawn by the main window on its background.
class WindowPart : public Window {
 public:
  ~WindowPart() override;

 protected:
  explicit WindowPart(TMainWindow& window);
  virtual void PaintOnParent(DeviceContext dc);
  // The part's own font; until it has one it takes the main window's.
  void UseFont(HFONT__* font);
  void TakeWindowFont();

  MainWindow& owner_;

 private:
  friend class MainWindow;
  bool ownFont_ = false;
};

class ImageList {
 public:
  ImageList(const ImageList&) = delete;
  ImageList& operator=(const ImageList&) = delete;
  _IMAGELIST* Handle() const { return list_; }
  // The glyph drawn with its transparent parts left as they are; nothing for an index out of range.
  void Draw(int index, DeviceContext dc, int x, int y) const;

 protected:
  ImageList();
  ~ImageList();
  // A 16 by 16 glyph: 32 bits with alpha, or any other depth with magenta as the transparent colour.
  void Add(const base::Bitmap& glyph);

 private:
  _IMAGELIST* list_;
};

class MenuItem {
 public:
  // The command number that the menu, the accelerators and the tool buttons send.
  unsigned CommandId() const { return id_; }

 protected:
  explicit MenuItem(TMenu& menu);

 private:
  unsigned id_;
};

class Menu {
 public:
  Menu(const Menu&) = delete;
  Menu& operator=(const Menu&) = delete;
  HMENU__* Handle() const { return menu_; }

 protected:
  explicit Menu(TMainWindow& window);
  ~Menu();

  HMENU__* menu_;
};

// A frame that draws the edge lines and the window's background around the comctl32 tool bar.
class ToolBar : public WindowPart {
 public:
  static constexpr int kEdge = 2;
  static constexpr int kButtonHeight = 22;
  WindowHandle ButtonsHandle() const { return buttons_; }

 protected:
  explicit ToolBar(TMainWindow& window);
  MessageResult WindowProc(unsigned message, WordParam wParam, LongParam lParam) override;
  // A button showing the glyph (-1: none) and sending the command, at x.
  void AddCommandButton(int x, int glyph, unsigned command, const std::wstring& toolTip);
  void AddSeparatorAt(int x, int width);

 private:
  // Places a button or separator at x; a gap before it is filled with a separator.
  void Add(int x, const void* button, int width);
  void PaintEdges(DeviceContext dc);

  WindowHandle buttons_ = nullptr;
  int nextX_ = 0;
  std::map<unsigned, std::wstring> tips_;
};

class MainWindow : public Window {
 public:
  // The background that the parts of the client area stand on.
  HBRUSH__* BackgroundBrush() const;

 protected:
  MainWindow();
  ~MainWindow() override;
  MessageResult WindowProc(unsigned message, WordParam wParam, LongParam lParam) override;
  bool PreTranslate(tagMSG& message) override;

 private:
  friend class forms::TMainWindow;
  friend class forms::TMenu;
  friend class WindowPart;

  TMainWindow& window();
  void AddCommand(const TMenuItem& item, const std::string& shortcut);
  void RunCommand(unsigned id);
  // The glyphs of the menu items, which the menus ask the window to measure and draw.
  bool MenuGlyph(unsigned message, LongParam lParam);
  void DropFiles(void* drop);
  void RestoreFocus();
  void PaintClient(DeviceContext dc, bool erase);
  void ApplyFont(HFONT__* font);
  void FreeParts();
  void DestroyMenuBar();

  int clientWidth_ = 0;
  int clientHeight_ = 0;
  HMENU__* menuBar_ = nullptr;
  HACCEL__* accelerators_ = nullptr;
  // The accelerator table's entries: modifier flags, virtual key and command, each.
  std::vector<std::array<unsigned, 3>> shortcuts_;
  std::map<unsigned, const TMenuItem*> commands_;
  std::vector<WindowPart*> parts_;
  TColor color_ = clBtnFace;
  HFONT__* font_ = nullptr;
  WindowHandle firstFocus_ = nullptr;
  WindowHandle lastFocus_ = nullptr;
};

}  // namespace native
}  // namespace forms
