// The Win32 side of the standard controls, parts of the main window's client
// area: a bevel is drawn by the window on its background, an image is a window
// of the own class, a label a static control, the drop-down list an owner-drawn
// combo box (so that its items take the height asked for) and the list a list box.
#pragma once

#include <string>
#include <vector>

#include "forms/Graphics.h"
#include "forms/MainWindow_win32.h"

struct tagDRAWITEMSTRUCT;

namespace forms {
class TMainWindow;

namespace native {

class Bevel : public WindowPart {
 protected:
  explicit Bevel(TMainWindow& window);
  void PaintOnParent(DeviceContext dc) override;
  void Place(const TRect& bounds);

 private:
  TRect bounds_;
};

class Image : public WindowPart {
 protected:
  explicit Image(TMainWindow& window);
  MessageResult WindowProc(unsigned message, WordParam wParam, LongParam lParam) override;

 private:
  void PaintTo(DeviceContext dc);
};

class Label : public WindowPart {
 protected:
  explicit Label(TMainWindow& window);
  bool Notified(unsigned message, WordParam wParam, LongParam lParam, MessageResult& result) override;

  TColor color_ = clWindowText;
};

// A list of items in a font and colours of its own: the drop-down list and the list box.
class ItemList : public WindowPart {
 protected:
  explicit ItemList(TMainWindow& window);
  void UseItemFont(const TFontInfo& font);
  void SetBackground(TColor color);
  // The answer to a WM_CTLCOLOR... notice: the text colour set in the device context, the background's brush.
  MessageResult ItemColors(WordParam dc) const;

  int itemHeight_ = 0;
  TColor color_;
  TColor textColor_ = clWindowText;
};

class ComboBox : public ItemList {
 protected:
  explicit ComboBox(TMainWindow& window);
  ~ComboBox() override;
  bool Notified(unsigned message, WordParam wParam, LongParam lParam, MessageResult& result) override;
  // The closed box's height and the items' height, set again after a new font or new bounds.
  void ApplyHeights();
  std::wstring ItemText(int index) const;

  int height_ = 0;

 private:
  void DrawItem(const tagDRAWITEMSTRUCT& item);
  void CloseUp();

  WindowHandle list_ = nullptr;
  bool closeUpPending_ = false;
};

class ListBox : public ItemList {
 protected:
  explicit ListBox(TMainWindow& window);
  ~ListBox() override;
  bool Notified(unsigned message, WordParam wParam, LongParam lParam, MessageResult& result) override;
  // Selects the entry; OnChange follows when the selection changed.
  void Select(int index);

  std::vector<std::string> data_;

 private:
  friend struct ListBoxKeys;
  void Changed();
};

}  // namespace native
}  // namespace forms
