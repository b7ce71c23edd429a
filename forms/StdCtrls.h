// The standard controls a main window is built from, placed in code: bevels,
// images, labels, a drop-down list and a list box. Declared once here; each
// toolkit's side (StdCtrls_qt.*, StdCtrls_win32.*) holds the window.
#pragma once

#include <functional>
#include <string>

#include "base/Bitmap.h"
#include "forms/Graphics.h"

#if defined(QA_TOOLKIT_WIN32)
#include "forms/StdCtrls_win32.h"
#else
#include "forms/StdCtrls_qt.h"
#endif

namespace forms {

class TMainWindow;

// A frame drawn with the button shadow and highlight colours: a lowered box,
// or only its top line (a horizontal rule).
class TBevel : public native::Bevel {
 public:
  enum class Shape { Box, TopLine };
  TBevel(TMainWindow& window, const char* name, Shape shape);
  Shape BevelShape() const { return shape_; }
  void SetBounds(const TRect& bounds);

 private:
  Shape shape_;
};

// Shows a bitmap unscaled from its top-left corner; with auto size on it takes
// the bitmap's size.
class TImage : public native::Image {
 public:
  TImage(TMainWindow& window, const char* name, bool autoSize);
  void SetBitmap(base::Bitmap bitmap);
  const base::Bitmap& Bitmap() const { return bitmap_; }
  void SetBounds(const TRect& bounds);
  void Move(int left, int top);
  void SetVisible(bool visible);

 private:
  base::Bitmap bitmap_;
  bool autoSize_;
};

// A text on the window's background, not clickable.
class TLabel : public native::Label {
 public:
  // `text` is UTF-8.
  TLabel(TMainWindow& window, const char* name, const std::string& text, const TRect& bounds, const TFontInfo& font);
};

// A drop-down list the user can only pick from. OnCloseUp is raised whenever its
// drop-down part has closed, however it was closed, once the pick (if any) has
// been applied; and also when the user changes the selection of the closed box
// with the keyboard or the mouse wheel.
class TComboBox : public native::ComboBox {
 public:
  TComboBox(TMainWindow& window, const char* name);
  void SetBounds(const TRect& bounds);
  void SetFont(const TFontInfo& font);
  void SetColor(TColor color);
  void SetItemHeight(int pixels);

  // Items are UTF-8 texts.
  void Clear();
  void Add(const std::string& text);
  int Count() const;
  std::string Text(int index) const;
  // -1 while none is selected.
  int ItemIndex() const;
  void SetItemIndex(int index);

  std::function<void()> OnCloseUp;
};

// A list to pick one entry from, not sorted. Each entry carries a text (UTF-8)
// and data of its own. OnChange is raised when the selection changes, by mouse
// or keyboard. Filled anew, it shows its first entries; while no entry is
// selected, Down selects the first.
class TListBox : public native::ListBox {
 public:
  TListBox(TMainWindow& window, const char* name);
  void SetBounds(const TRect& bounds);
  void SetFont(const TFontInfo& font);
  void SetColor(TColor color);
  void SetItemHeight(int pixels);

  void Clear();
  void Add(const std::string& text, const std::string& data);
  int Count() const;
  std::string Text(int index) const;
  std::string Data(int index) const;
  // -1 while none is selected.
  int ItemIndex() const;
  // Selects the entry and scrolls it into view, as a click on it does (OnChange
  // follows when the selection changes).
  void SelectItem(int index);
  void SetFocus();

  std::function<void()> OnChange;
};

}  // namespace forms
