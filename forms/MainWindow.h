// A program's main window: a fixed-size top-level window with a menu bar whose
// items show glyphs, a tool bar whose buttons run menu items, and a client area
// that the controls of StdCtrls.h sit on. Declared once here; each toolkit's side
// (MainWindow_qt.*, MainWindow_win32.*) holds the windows.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "forms/Graphics.h"
#include "forms/core/Classes.h"

#if defined(QA_TOOLKIT_WIN32)
#include "forms/MainWindow_win32.h"
#else
#include "forms/MainWindow_qt.h"
#endif

namespace forms {

class TMenu;

// 16 by 16 glyphs, loaded from the program's resources by name ("glyph0", ...).
class TImageList : public native::ImageList {
 public:
  explicit TImageList(const std::vector<std::string>& resourceNames);
  int Count() const;
};

// A command of a menu; a tool button may run it too.
class TMenuItem : public native::MenuItem {
 public:
  TMenuItem(TMenu& menu, const char* name, const std::string& caption, int glyph, const std::string& hint,
            std::function<void()> onClick, const std::string& shortcut);
  const std::string& Caption() const { return caption_; }
  const std::string& Hint() const { return hint_; }
  int ImageIndex() const { return glyph_; }
  // Runs the command as a choice of the item does.
  void Click() const { onClick_(); }

 private:
  std::string caption_;
  std::string hint_;
  int glyph_;
  std::function<void()> onClick_;
};

// A drop-down menu of the menu bar.
class TMenu : public native::Menu {
 public:
  TMenu(TMainWindow& window, const char* name, const std::string& caption);
  TMainWindow& Window() const { return window_; }
  // An item showing glyph `glyph` of the window's image list (-1: none); `shortcut`
  // is a key such as "Ctrl+G", or empty.
  TMenuItem* AddItem(const char* name, const std::string& caption, int glyph, const std::string& hint,
                     std::function<void()> onClick, const std::string& shortcut = {});
  void AddSeparator(const char* name);

 private:
  TMainWindow& window_;
  std::vector<std::unique_ptr<TMenuItem>> items_;
};

// A flat, transparent tool bar with edge lines on its left and top sides; its
// buttons (glyph only) and separators sit at fixed x positions.
class TToolBar : public native::ToolBar {
 public:
  static constexpr int kButtonWidth = 23;
  TToolBar(TMainWindow& window, const char* name);
  void SetBounds(const TRect& bounds);
  // A button showing the item's glyph, running it; it shows `toolTip` when not empty.
  void AddButton(const char* name, int x, TMenuItem& item, const std::string& toolTip);
  void AddSeparator(const char* name, int x, int width);
};

class TMainWindow : public native::MainWindow, public TComponent {
 public:
  // Client area of that size, fixed single border, system menu and minimise
  // box only; glyphs of menus and tool bar from `images`.
  TMainWindow(int clientWidth, int clientHeight, std::vector<std::string> glyphResources);

  // UTF-8.
  std::string Caption() const;
  void SetCaption(const std::string& caption);
  // The program's icon from its resources.
  void SetIcon();
  void SetColor(TColor color);
  void SetFont(const TFontInfo& font);
  // Centred on the screen.
  void CenterOnScreen();
  void Show();
  void Close();
  bool Showing() const;

  TMenu* AddMenu(const char* name, const std::string& caption);
  const TImageList& Images() const { return images_; }
  // Tab moves through the controls in this order; the first takes the focus.
  void SetTabOrder(const std::vector<native::Focusable>& controls);

  // A file or folder dropped on the window (its path as the file system's bytes).
  std::function<void(const std::string&)> OnDropFile;

 protected:
  ~TMainWindow() override;

 private:
  TImageList images_;
  std::vector<std::unique_ptr<TMenu>> menus_;
};

}  // namespace forms
