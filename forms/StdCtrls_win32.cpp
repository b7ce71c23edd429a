#include "forms/System_win32.h"

#include <commctrl.h>

#include <algorithm>

#include "forms/MainWindow.h"
#include "forms/StdCtrls.h"

namespace forms {

namespace {

// The system's window background colour, as the colour values hold it.
constexpr TColor kWindowColor = 0xFF000000 | COLOR_WINDOW;
// The drop-down part shows this many items before it scrolls.
constexpr int kDropDownItems = 8;

void placeWindow(HWND hwnd, const TRect& bounds) {
  SetWindowPos(hwnd, nullptr, bounds.left, bounds.top, bounds.width, bounds.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string listText(HWND hwnd, UINT lengthMessage, UINT textMessage, int index) {
  const LRESULT length = SendMessageW(hwnd, lengthMessage, static_cast<WPARAM>(index), 0);
  if (length < 0) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(
      std::max<LRESULT>(0, SendMessageW(hwnd, textMessage, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data())))));
  return native::toUtf8(text);
}

}  // namespace

namespace native {

// The list's keys, ahead of the list box's own handling.
struct ListBoxKeys {
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR self);
};

Bevel::Bevel(TMainWindow& window) : WindowPart(window) {}

void Bevel::PaintOnParent(DeviceContext dc) {
  RECT r{bounds_.left, bounds_.top, bounds_.left + bounds_.width, bounds_.top + bounds_.height};
  if (static_cast<TBevel&>(*this).BevelShape() == TBevel::Shape::TopLine)
    DrawEdge(dc, &r, EDGE_ETCHED, BF_TOP);  // a shadow line with a highlight line under it
  else
    DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
}

void Bevel::Place(const TRect& bounds) {
  for (const TRect& b : {bounds_, bounds}) {
    const RECT r{b.left, b.top, b.left + b.width, b.top + b.height};
    InvalidateRect(owner_.Handle(), &r, TRUE);
  }
  bounds_ = bounds;
}

Image::Image(TMainWindow& window) : WindowPart(window) {
  CreateHandle(0, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0, 0, owner_.Handle());
}

void Image::PaintTo(DeviceContext dc) {
  const base::Bitmap& bitmap = static_cast<TImage&>(*this).Bitmap();
  drawBitmap(dc, 0, 0, bitmap);
  // The window's background around a smaller picture.
  const int saved = SaveDC(dc);
  ExcludeClipRect(dc, 0, 0, bitmap.width(), bitmap.height());
  RECT client;
  GetClientRect(hwnd_, &client);
  FillRect(dc, &client, owner_.BackgroundBrush());
  RestoreDC(dc, saved);
}

MessageResult Image::WindowProc(unsigned message, WordParam wParam, LongParam lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      PaintTo(BeginPaint(hwnd_, &ps));
      EndPaint(hwnd_, &ps);
      return 0;
    }
    case WM_PRINTCLIENT:
      PaintTo(reinterpret_cast<HDC>(wParam));
      return 0;
    default:
      return WindowPart::WindowProc(message, wParam, lParam);
  }
}

Label::Label(TMainWindow& window) : WindowPart(window) {
  CreateControl(L"STATIC", 0, WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX, owner_.Handle());
  TakeWindowFont();
}

bool Label::Notified(unsigned message, WordParam wParam, LongParam, MessageResult& result) {
  if (message != WM_CTLCOLORSTATIC) return false;
  // Its text on the window's background.
  HDC dc = reinterpret_cast<HDC>(wParam);
  SetTextColor(dc, colorRef(color_));
  SetBkMode(dc, TRANSPARENT);
  result = reinterpret_cast<LRESULT>(owner_.BackgroundBrush());
  return true;
}

ItemList::ItemList(TMainWindow& window) : WindowPart(window), color_(kWindowColor) {}

void ItemList::UseItemFont(const TFontInfo& font) {
  textColor_ = font.color;
  UseFont(fontOf(font));
}

void ItemList::SetBackground(TColor color) {
  color_ = color;
  InvalidateRect(hwnd_, nullptr, TRUE);
}

MessageResult ItemList::ItemColors(WordParam dc) const {
  SetTextColor(reinterpret_cast<HDC>(dc), colorRef(textColor_));
  SetBkColor(reinterpret_cast<HDC>(dc), colorRef(color_));
  return reinterpret_cast<MessageResult>(solidBrush(colorRef(color_)));
}

ComboBox::ComboBox(TMainWindow& window) : ItemList(window) {
  CreateControl(L"COMBOBOX", 0,
                WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                owner_.Handle());
  // The drop-down part's colour notices come to this object too.
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  if (GetComboBoxInfo(hwnd_, &info) && info.hwndList != nullptr) {
    list_ = info.hwndList;
    Attach(list_);
  }
  TakeWindowFont();
}

ComboBox::~ComboBox() {
  if (list_ != nullptr) Detach(list_);
}

std::wstring ComboBox::ItemText(int index) const {
  return toWide(listText(hwnd_, CB_GETLBTEXTLEN, CB_GETLBTEXT, index));
}

void ComboBox::ApplyHeights() {
  if (itemHeight_ > 0) SendMessageW(hwnd_, CB_SETITEMHEIGHT, 0, itemHeight_);
  if (height_ <= 0) return;
  // The selection field is set so that the closed box, with the edges the system adds, has the height asked for.
  int field = height_ - 6;
  for (int pass = 0; pass < 2; ++pass) {
    SendMessageW(hwnd_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
    RECT r;
    GetWindowRect(hwnd_, &r);
    if (r.bottom - r.top == height_) return;
    field += height_ - (r.bottom - r.top);
  }
}

void ComboBox::DrawItem(const tagDRAWITEMSTRUCT& item) {
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  RECT r = item.rcItem;
  FillRect(item.hDC, &r, selected ? GetSysColorBrush(COLOR_HIGHLIGHT) : solidBrush(colorRef(color_)));
  if (item.itemID != static_cast<UINT>(-1)) {
    const std::wstring text = ItemText(static_cast<int>(item.itemID));
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageW(hwnd_, WM_GETFONT, 0, 0));
    HGDIOBJ old = font != nullptr ? SelectObject(item.hDC, font) : nullptr;
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : colorRef(textColor_));
    r.left += 2;
    DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (old != nullptr) SelectObject(item.hDC, old);
  }
  if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) DrawFocusRect(item.hDC, &item.rcItem);
}

void ComboBox::CloseUp() {
  if (const std::function<void()> handler = static_cast<TComboBox&>(*this).OnCloseUp) handler();
}

bool ComboBox::Notified(unsigned message, WordParam wParam, LongParam lParam, MessageResult& result) {
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wParam) == CBN_CLOSEUP) {
        // Raised once the notices of the pick that closed it (if any) have come.
        closeUpPending_ = true;
        PostMessageW(owner_.Handle(), kDeferredNotice, 0, reinterpret_cast<LPARAM>(hwnd_));
        return true;
      }
      if (HIWORD(wParam) == CBN_SELCHANGE) {
        // The closed box's selection changed by the keyboard or the mouse wheel.
        if (!closeUpPending_ && !SendMessageW(hwnd_, CB_GETDROPPEDSTATE, 0, 0)) CloseUp();
        return true;
      }
      return false;
    case kDeferredNotice:
      closeUpPending_ = false;
      CloseUp();
      return true;
    case WM_DRAWITEM:
      DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      result = TRUE;
      return true;
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
      result = ItemColors(wParam);
      return true;
    default:
      return false;
  }
}

ListBox::ListBox(TMainWindow& window) : ItemList(window) {
  CreateControl(L"LISTBOX", WS_EX_CLIENTEDGE,
                WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, owner_.Handle());
  SetWindowSubclass(hwnd_, ListBoxKeys::Procedure, 0, reinterpret_cast<DWORD_PTR>(this));
  TakeWindowFont();
}

ListBox::~ListBox() {
  if (hwnd_ != nullptr) RemoveWindowSubclass(hwnd_, ListBoxKeys::Procedure, 0);
}

LRESULT CALLBACK ListBoxKeys::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self) {
  // Down while no entry is selected selects the first, where the list would move past it.
  if (message == WM_KEYDOWN && wParam == VK_DOWN && GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_CONTROL) >= 0 &&
      SendMessageW(hwnd, LB_GETCURSEL, 0, 0) == LB_ERR && SendMessageW(hwnd, LB_GETCOUNT, 0, 0) > 0) {
    guarded([self] { reinterpret_cast<ListBox*>(self)->Select(0); });
    return 0;
  }
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

void ListBox::Select(int index) {
  const LRESULT before = SendMessageW(hwnd_, LB_GETCURSEL, 0, 0);
  SendMessageW(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  if (SendMessageW(hwnd_, LB_GETCURSEL, 0, 0) != before) Changed();
}

void ListBox::Changed() {
  if (const std::function<void()> handler = static_cast<TListBox&>(*this).OnChange) handler();
}

bool ListBox::Notified(unsigned message, WordParam wParam, LongParam, MessageResult& result) {
  if (message == WM_COMMAND && HIWORD(wParam) == LBN_SELCHANGE) {
    Changed();
    return true;
  }
  if (message != WM_CTLCOLORLISTBOX) return false;
  result = ItemColors(wParam);
  return true;
}

}  // namespace native

TBevel::TBevel(TMainWindow& window, const char*, Shape shape) : native::Bevel(window), shape_(shape) {}

void TBevel::SetBounds(const TRect& bounds) { Place(bounds); }

TImage::TImage(TMainWindow& window, const char*, bool autoSize) : native::Image(window), autoSize_(autoSize) {}

void TImage::SetBitmap(base::Bitmap bitmap) {
  bitmap_ = std::move(bitmap);
  if (autoSize_ && !bitmap_.empty())
    SetWindowPos(hwnd_, nullptr, 0, 0, bitmap_.width(), bitmap_.height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(hwnd_, nullptr, FALSE);
}

void TImage::SetBounds(const TRect& bounds) { placeWindow(hwnd_, bounds); }

void TImage::Move(int left, int top) {
  SetWindowPos(hwnd_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TImage::SetVisible(bool visible) { ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE); }

TLabel::TLabel(TMainWindow& window, const char*, const std::string& text, const TRect& bounds, const TFontInfo& font)
    : native::Label(window) {
  color_ = font.color;
  native::setWindowText(hwnd_, text);
  UseFont(native::fontOf(font));
  // Grown to its text where the system's font is wider than the bounds allow for, as a label sizes itself.
  HDC dc = GetDC(hwnd_);
  HGDIOBJ old = SelectObject(dc, native::fontOf(font));
  const std::wstring wide = native::toWide(text);
  SIZE extent{};
  GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &extent);
  SelectObject(dc, old);
  ReleaseDC(hwnd_, dc);
  placeWindow(hwnd_, TRect{bounds.left, bounds.top, std::max<int>(bounds.width, extent.cx),
                           std::max<int>(bounds.height, extent.cy)});
}

TComboBox::TComboBox(TMainWindow& window, const char*) : native::ComboBox(window) {}

void TComboBox::SetBounds(const TRect& bounds) {
  height_ = bounds.height;
  // The window's height includes the drop-down part; the system keeps the closed height as its own.
  const int dropDown = kDropDownItems * std::max(itemHeight_, 16) + 2;
  placeWindow(hwnd_, TRect{bounds.left, bounds.top, bounds.width, bounds.height + dropDown});
  ApplyHeights();
}

void TComboBox::SetFont(const TFontInfo& font) {
  UseItemFont(font);
  ApplyHeights();
}

void TComboBox::SetColor(TColor color) { SetBackground(color); }

void TComboBox::SetItemHeight(int pixels) {
  itemHeight_ = pixels;
  ApplyHeights();
}

void TComboBox::Clear() { SendMessageW(hwnd_, CB_RESETCONTENT, 0, 0); }

void TComboBox::Add(const std::string& text) {
  SendMessageW(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(native::toWide(text).c_str()));
}

int TComboBox::Count() const { return static_cast<int>(SendMessageW(hwnd_, CB_GETCOUNT, 0, 0)); }

std::string TComboBox::Text(int index) const { return native::toUtf8(ItemText(index)); }

int TComboBox::ItemIndex() const { return static_cast<int>(SendMessageW(hwnd_, CB_GETCURSEL, 0, 0)); }

void TComboBox::SetItemIndex(int index) { SendMessageW(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(index), 0); }

TListBox::TListBox(TMainWindow& window, const char*) : native::ListBox(window) {}

void TListBox::SetBounds(const TRect& bounds) { placeWindow(hwnd_, bounds); }

void TListBox::SetFont(const TFontInfo& font) {
  UseItemFont(font);
  // A new font sets the list's own item height again.
  if (itemHeight_ > 0) SetItemHeight(itemHeight_);
}

void TListBox::SetColor(TColor color) { SetBackground(color); }

void TListBox::SetItemHeight(int pixels) {
  itemHeight_ = pixels;
  SendMessageW(hwnd_, LB_SETITEMHEIGHT, 0, pixels);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void TListBox::Clear() {
  SendMessageW(hwnd_, LB_RESETCONTENT, 0, 0);
  data_.clear();
}

void TListBox::Add(const std::string& text, const std::string& data) {
  SendMessageW(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(native::toWide(text).c_str()));
  data_.push_back(data);
}

int TListBox::Count() const { return static_cast<int>(SendMessageW(hwnd_, LB_GETCOUNT, 0, 0)); }

std::string TListBox::Text(int index) const { return listText(hwnd_, LB_GETTEXTLEN, LB_GETTEXT, index); }

std::string TListBox::Data(int index) const {
  return index >= 0 && static_cast<size_t>(index) < data_.size() ? data_[static_cast<size_t>(index)] : std::string();
}

int TListBox::ItemIndex() const { return static_cast<int>(SendMessageW(hwnd_, LB_GETCURSEL, 0, 0)); }

void TListBox::SelectItem(int index) { Select(index); }

void TListBox::SetFocus() { ::SetFocus(hwnd_); }

}  // namespace forms
