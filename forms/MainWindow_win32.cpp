#include "forms/System_win32.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>

#include "forms/MainWindow.h"
#include "forms/Resources.h"

namespace forms {

namespace {

constexpr int kGlyphSize = 16;
constexpr uint32_t kMagenta = 0x00FF00FF;

bool sameWord(const std::string& a, const char* b) {
  return std::equal(a.begin(), a.end(), b, b + std::char_traits<char>::length(b),
                    [](char x, char y) { return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y)); });
}

std::optional<WORD> virtualKey(const std::string& name) {
  if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0])))
    return static_cast<WORD>(std::toupper(static_cast<unsigned char>(name[0])));
  if (name.size() >= 2 && (name[0] == 'F' || name[0] == 'f') && std::all_of(name.begin() + 1, name.end(), ::isdigit)) {
    const int n = std::stoi(name.substr(1));
    if (n >= 1 && n <= 24) return static_cast<WORD>(VK_F1 + n - 1);
  }
  static const std::pair<const char*, WORD> named[] = {
      {"Del", VK_DELETE},  {"Delete", VK_DELETE}, {"Ins", VK_INSERT},  {"Insert", VK_INSERT}, {"Esc", VK_ESCAPE},
      {"Enter", VK_RETURN}, {"Return", VK_RETURN}, {"Tab", VK_TAB},    {"Space", VK_SPACE},   {"Backspace", VK_BACK},
      {"Home", VK_HOME},   {"End", VK_END},       {"PgUp", VK_PRIOR},  {"PgDown", VK_NEXT},   {"Left", VK_LEFT},
      {"Right", VK_RIGHT}, {"Up", VK_UP},         {"Down", VK_DOWN}};
  for (const auto& [text, key] : named)
    if (sameWord(name, text)) return key;
  return std::nullopt;
}

// "Ctrl+G", "Shift+F5", "Ctrl+Alt+Del" as an accelerator; none for a key it does not know.
std::optional<ACCEL> shortcutKey(const std::string& shortcut, UINT command) {
  ACCEL accel{FVIRTKEY, 0, static_cast<WORD>(command)};
  size_t start = 0;
  for (size_t plus; (plus = shortcut.find('+', start)) != std::string::npos && plus + 1 < shortcut.size();
       start = plus + 1) {
    const std::string modifier = shortcut.substr(start, plus - start);
    if (sameWord(modifier, "Ctrl"))
      accel.fVirt |= FCONTROL;
    else if (sameWord(modifier, "Shift"))
      accel.fVirt |= FSHIFT;
    else if (sameWord(modifier, "Alt"))
      accel.fVirt |= FALT;
    else
      return std::nullopt;
  }
  const std::optional<WORD> key = virtualKey(shortcut.substr(start));
  if (!key) return std::nullopt;
  accel.key = *key;
  return accel;
}

// The glyph's top-left 16 by 16 pixels, top row first, as premultiplied BGRA: a
// 32-bit picture keeps its alpha (unless it has none at all), any other loses its magenta.
std::array<uint32_t, kGlyphSize * kGlyphSize> glyphPixels(const base::Bitmap& glyph) {
  bool hasAlpha = false;
  if (glyph.format() == base::PixelFormat::Rgb32)
    for (int y = 0; y < glyph.height() && !hasAlpha; ++y)
      for (int x = 0; x < glyph.width() && !hasAlpha; ++x) hasAlpha = glyph.scanLine(y)[4 * x + 3] != 0;
  std::array<uint32_t, kGlyphSize * kGlyphSize> pixels{};
  for (int y = 0; y < std::min(kGlyphSize, glyph.height()); ++y)
    for (int x = 0; x < std::min(kGlyphSize, glyph.width()); ++x) {
      const uint32_t color = glyph.pixelColor(x, y);  // 0x00BBGGRR
      uint32_t alpha = hasAlpha ? glyph.scanLine(y)[4 * x + 3] : (color == kMagenta ? 0 : 255);
      const auto channel = [&](int shift) { return ((color >> shift) & 0xFF) * alpha / 255; };
      pixels[static_cast<size_t>(y * kGlyphSize + x)] = (alpha << 24) | (channel(0) << 16) | (channel(8) << 8) | channel(16);
    }
  return pixels;
}

HBITMAP glyphBitmap(const std::array<uint32_t, kGlyphSize * kGlyphSize>& pixels) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = kGlyphSize;
  info.bmiHeader.biHeight = -kGlyphSize;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap != nullptr) std::copy(pixels.begin(), pixels.end(), static_cast<uint32_t*>(bits));
  return bitmap;
}

// The mask of an image list: a set bit for each transparent pixel.
HBITMAP glyphMask(const std::array<uint32_t, kGlyphSize * kGlyphSize>& pixels) {
  std::array<uint8_t, kGlyphSize * kGlyphSize / 8> bits{};
  for (size_t i = 0; i < pixels.size(); ++i)
    if ((pixels[i] >> 24) < 128) bits[i / 8] |= static_cast<uint8_t>(0x80 >> (i % 8));
  return CreateBitmap(kGlyphSize, kGlyphSize, 1, 1, bits.data());
}

}  // namespace

namespace native {

WindowPart::WindowPart(TMainWindow& window) : owner_(window) { owner_.parts_.push_back(this); }

WindowPart::~WindowPart() {
  std::erase(owner_.parts_, this);
  DestroyHandle();
}

void WindowPart::PaintOnParent(DeviceContext) {}

void WindowPart::UseFont(HFONT font) {
  ownFont_ = true;
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void WindowPart::TakeWindowFont() {
  if (!ownFont_ && hwnd_ != nullptr && owner_.font_ != nullptr)
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(owner_.font_), TRUE);
}

ImageList::ImageList() : list_(ImageList_Create(kGlyphSize, kGlyphSize, ILC_COLOR32 | ILC_MASK, 8, 8)) {}

ImageList::~ImageList() { ImageList_Destroy(list_); }

void ImageList::Add(const base::Bitmap& glyph) {
  const auto pixels = glyphPixels(glyph);
  HBITMAP color = glyphBitmap(pixels);
  HBITMAP mask = glyphMask(pixels);
  // The image list keeps copies: alpha where the system draws with it, the mask elsewhere.
  ImageList_Add(list_, color, mask);
  DeleteObject(mask);
  DeleteObject(color);
}

void ImageList::Draw(int index, DeviceContext dc, int x, int y) const {
  if (index >= 0 && index < ImageList_GetImageCount(list_)) ImageList_Draw(list_, index, dc, x, y, ILD_TRANSPARENT);
}

MenuItem::MenuItem(TMenu&) {
  // Apart from the numbers 1 and 2, which the dialog keys Enter and Escape send.
  static UINT next = 100;
  id_ = next++;
}

Menu::Menu(TMainWindow&) : menu_(CreatePopupMenu()) {}

Menu::~Menu() { DestroyMenu(menu_); }

ToolBar::ToolBar(TMainWindow& window) : WindowPart(window) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  CreateHandle(0, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 0, owner_.Handle());
  buttons_ = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                             WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TRANSPARENT | TBSTYLE_TOOLTIPS |
                                 CCS_NODIVIDER | CCS_NOPARENTALIGN | CCS_NORESIZE,
                             kEdge, kEdge, 0, 0, hwnd_, nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(buttons_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageW(buttons_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(window.Images().Handle()));
  SendMessageW(buttons_, TB_SETBUTTONSIZE, 0, MAKELPARAM(TToolBar::kButtonWidth, kButtonHeight));
}

void ToolBar::Add(int x, const void* button, int width) {
  if (x > nextX_) AddSeparatorAt(nextX_, x - nextX_);
  SendMessageW(buttons_, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(button));
  nextX_ = std::max(nextX_, x) + width;
}

void ToolBar::AddCommandButton(int x, int glyph, unsigned command, const std::wstring& toolTip) {
  TBBUTTON button{};
  button.iBitmap = glyph >= 0 ? glyph : I_IMAGENONE;
  button.idCommand = static_cast<int>(command);
  button.fsState = TBSTATE_ENABLED;
  button.fsStyle = BTNS_BUTTON;
  button.iString = -1;
  if (!toolTip.empty()) tips_[command] = toolTip;
  Add(x, &button, TToolBar::kButtonWidth);
}

void ToolBar::AddSeparatorAt(int x, int width) {
  TBBUTTON separator{};
  separator.iBitmap = width;
  separator.fsStyle = BTNS_SEP;
  Add(x, &separator, width);
}

void ToolBar::PaintEdges(DeviceContext dc) {
  // Transparent: the window's background with the edge lines on the left and top sides.
  RECT r;
  GetClientRect(hwnd_, &r);
  FillRect(dc, &r, owner_.BackgroundBrush());
  const auto line = [dc](int left, int top, int right, int bottom, int color) {
    const RECT l{left, top, right, bottom};
    FillRect(dc, &l, GetSysColorBrush(color));
  };
  line(0, 0, r.right, 1, COLOR_BTNSHADOW);
  line(0, 0, 1, r.bottom, COLOR_BTNSHADOW);
  line(1, 1, r.right, 2, COLOR_BTNHIGHLIGHT);
  line(1, 1, 2, r.bottom, COLOR_BTNHIGHLIGHT);
}

MessageResult ToolBar::WindowProc(unsigned message, WordParam wParam, LongParam lParam) {
  switch (message) {
    case WM_SIZE:
      SetWindowPos(buttons_, nullptr, kEdge, kEdge, LOWORD(lParam) - kEdge, HIWORD(lParam) - kEdge,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    case WM_ERASEBKGND:
    case WM_PRINTCLIENT:
      // The transparent tool bar asks for its background here too, its origin moved to this window's.
      PaintEdges(reinterpret_cast<HDC>(wParam));
      return 1;
    case WM_COMMAND:
      if (reinterpret_cast<HWND>(lParam) == buttons_) {
        // A button runs the command of its menu item.
        SendMessageW(owner_.Handle(), WM_COMMAND, MAKEWPARAM(LOWORD(wParam), 0), 0);
        return 0;
      }
      break;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->code != TTN_GETDISPINFOW && header->code != TTN_GETDISPINFOA) break;
      const auto tip = tips_.find(static_cast<unsigned>(header->idFrom));
      const std::wstring text = tip != tips_.end() ? tip->second : std::wstring();
      if (header->code == TTN_GETDISPINFOW) {
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
        lstrcpynW(info->szText, text.c_str(), static_cast<int>(std::size(info->szText)));
        info->lpszText = info->szText;
      } else {
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(lParam);
        lstrcpynA(info->szText, toAnsi(toUtf8(text)).c_str(), static_cast<int>(std::size(info->szText)));
        info->lpszText = info->szText;
      }
      return 0;
    }
    default:
      break;
  }
  return WindowPart::WindowProc(message, wParam, lParam);
}

MainWindow::MainWindow() : menuBar_(CreateMenu()) {
  CreateHandle(0, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN, CW_USEDEFAULT,
               CW_USEDEFAULT, 400, 300, nullptr);
  SetMenu(hwnd_, menuBar_);
  DragAcceptFiles(hwnd_, TRUE);
}

MainWindow::~MainWindow() {
  FreeParts();
  DestroyMenuBar();
  DestroyHandle();
  if (accelerators_ != nullptr) DestroyAcceleratorTable(accelerators_);
}

TMainWindow& MainWindow::window() { return static_cast<TMainWindow&>(*this); }

HBRUSH MainWindow::BackgroundBrush() const { return solidBrush(colorRef(color_)); }

void MainWindow::FreeParts() {
  while (!parts_.empty()) delete parts_.back();
}

void MainWindow::DestroyMenuBar() {
  if (menuBar_ == nullptr) return;
  if (hwnd_ != nullptr) SetMenu(hwnd_, nullptr);
  // The drop-down menus belong to their TMenu: taken out before the bar goes.
  while (GetMenuItemCount(menuBar_) > 0) RemoveMenu(menuBar_, 0, MF_BYPOSITION);
  DestroyMenu(menuBar_);
  menuBar_ = nullptr;
}

void MainWindow::AddCommand(const TMenuItem& item, const std::string& shortcut) {
  commands_[item.CommandId()] = &item;
  if (shortcut.empty()) return;
  const std::optional<ACCEL> key = shortcutKey(shortcut, item.CommandId());
  if (!key) return;
  shortcuts_.push_back({key->fVirt, key->key, key->cmd});
  std::vector<ACCEL> table;
  for (const auto& [virt, k, command] : shortcuts_)
    table.push_back(ACCEL{static_cast<BYTE>(virt), static_cast<WORD>(k), static_cast<WORD>(command)});
  if (accelerators_ != nullptr) DestroyAcceleratorTable(accelerators_);
  accelerators_ = CreateAcceleratorTableW(table.data(), static_cast<int>(table.size()));
}

bool MainWindow::MenuGlyph(unsigned message, LongParam lParam) {
  if (message == WM_MEASUREITEM) {
    auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    if (measure->CtlType != ODT_MENU) return false;
    measure->itemWidth = kGlyphSize;
    measure->itemHeight = kGlyphSize;
    return true;
  }
  const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
  if (draw->CtlType != ODT_MENU) return false;
  const auto item = commands_.find(draw->itemID);
  if (item != commands_.end())
    window().Images().Draw(item->second->ImageIndex(), draw->hDC, draw->rcItem.left,
                           draw->rcItem.top + (draw->rcItem.bottom - draw->rcItem.top - kGlyphSize) / 2);
  return true;
}

void MainWindow::RunCommand(unsigned id) {
  const auto it = commands_.find(id);
  if (it != commands_.end()) it->second->Click();
}

void MainWindow::DropFiles(void* dropped) {
  auto* drop = static_cast<HDROP>(dropped);
  // The first of the dropped names, in the system's ANSI code page as the file system's bytes.
  std::string path;
  if (DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0) > 0) {
    path.resize(DragQueryFileA(drop, 0, nullptr, 0) + 1);
    path.resize(DragQueryFileA(drop, 0, path.data(), static_cast<UINT>(path.size())));
  }
  DragFinish(drop);
  if (!path.empty() && window().OnDropFile) window().OnDropFile(path);
}

void MainWindow::RestoreFocus() {
  HWND target = lastFocus_ != nullptr && IsWindow(lastFocus_) && IsChild(hwnd_, lastFocus_) ? lastFocus_ : firstFocus_;
  if (target != nullptr && IsWindowVisible(target) && IsWindowEnabled(target)) SetFocus(target);
}

void MainWindow::PaintClient(DeviceContext dc, bool erase) {
  if (erase) {
    RECT r;
    GetClientRect(hwnd_, &r);
    FillRect(dc, &r, BackgroundBrush());
  }
  for (WindowPart* part : parts_) part->PaintOnParent(dc);
}

void MainWindow::ApplyFont(HFONT font) {
  font_ = font;
  for (WindowPart* part : parts_) part->TakeWindowFont();
}

MessageResult MainWindow::WindowProc(unsigned message, WordParam wParam, LongParam lParam) {
  switch (message) {
    case WM_COMMAND:
      // A menu item or a shortcut; the controls' notices come with their window.
      if (lParam == 0) {
        RunCommand(LOWORD(wParam));
        return 0;
      }
      break;
    case WM_ERASEBKGND: {
      RECT r;
      GetClientRect(hwnd_, &r);
      FillRect(reinterpret_cast<HDC>(wParam), &r, BackgroundBrush());
      return 1;
    }
    case WM_PAINT: {
      PAINTSTRUCT ps;
      PaintClient(BeginPaint(hwnd_, &ps), false);
      EndPaint(hwnd_, &ps);
      return 0;
    }
    case WM_PRINTCLIENT:
      PaintClient(reinterpret_cast<HDC>(wParam), true);
      return 0;
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
      if (MenuGlyph(message, lParam)) return TRUE;
      break;
    case WM_DROPFILES:
      DropFiles(reinterpret_cast<void*>(wParam));
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(hwnd_, focus)) lastFocus_ = focus;
      } else if (HIWORD(wParam) == 0 && (lastFocus_ != nullptr || firstFocus_ != nullptr)) {
        RestoreFocus();
        return 0;
      }
      break;
    case WM_SETFOCUS:
      RestoreFocus();
      return 0;
    case WM_DESTROY:
      // Closed by the user or by Close: the bar stays for the destructor, and the program's loop ends.
      SetMenu(hwnd_, nullptr);
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return Window::WindowProc(message, wParam, lParam);
}

bool MainWindow::PreTranslate(MSG& message) {
  if (accelerators_ != nullptr && TranslateAcceleratorW(hwnd_, accelerators_, &message)) return true;
  // Tab and the arrow keys move through the controls, as in a dialog.
  return IsDialogMessageW(hwnd_, &message) != FALSE;
}

}  // namespace native

TImageList::TImageList(const std::vector<std::string>& resourceNames) {
  for (const std::string& name : resourceNames) Add(LoadBitmapResource(name));
}

int TImageList::Count() const { return ImageList_GetImageCount(Handle()); }

TMenuItem::TMenuItem(TMenu& menu, const char*, const std::string& caption, int glyph, const std::string& hint,
                     std::function<void()> onClick, const std::string&)
    : native::MenuItem(menu), caption_(caption), hint_(hint), glyph_(glyph), onClick_(std::move(onClick)) {}

TMenu::TMenu(TMainWindow& window, const char*, const std::string& caption) : native::Menu(window), window_(window) {
  AppendMenuW(window.menuBar_, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(menu_), native::toWide(caption).c_str());
}

TMenuItem* TMenu::AddItem(const char* name, const std::string& caption, int glyph, const std::string& hint,
                          std::function<void()> onClick, const std::string& shortcut) {
  items_.push_back(std::make_unique<TMenuItem>(*this, name, caption, glyph, hint, std::move(onClick), shortcut));
  TMenuItem& item = *items_.back();
  // The shortcut shows after a tab, on the right of the menu.
  std::wstring text = native::toWide(shortcut.empty() ? caption : caption + "\t" + shortcut);
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_ID | MIIM_STRING | MIIM_FTYPE | MIIM_BITMAP;
  info.fType = MFT_STRING;
  info.wID = item.CommandId();
  info.dwTypeData = text.data();
  // The menu asks the window for the glyph (WM_MEASUREITEM, WM_DRAWITEM) and draws the text itself:
  // not every system blends a 32-bit bitmap of the item with its alpha.
  info.hbmpItem = glyph >= 0 ? HBMMENU_CALLBACK : nullptr;
  InsertMenuItemW(menu_, static_cast<UINT>(GetMenuItemCount(menu_)), TRUE, &info);
  window_.AddCommand(item, shortcut);
  return &item;
}

void TMenu::AddSeparator(const char*) { AppendMenuW(menu_, MF_SEPARATOR, 0, nullptr); }

TToolBar::TToolBar(TMainWindow& window, const char*) : native::ToolBar(window) {}

void TToolBar::SetBounds(const TRect& bounds) {
  SetWindowPos(hwnd_, nullptr, bounds.left, bounds.top, bounds.width, bounds.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TToolBar::AddButton(const char*, int x, TMenuItem& item, const std::string& toolTip) {
  AddCommandButton(x, item.ImageIndex(), item.CommandId(), native::toWide(toolTip));
}

void TToolBar::AddSeparator(const char*, int x, int width) { AddSeparatorAt(x, width); }

TMainWindow::TMainWindow(int clientWidth, int clientHeight, std::vector<std::string> glyphResources)
    : TComponent(nullptr), images_(glyphResources) {
  clientWidth_ = clientWidth;
  clientHeight_ = clientHeight;
  native::resizeClient(hwnd_, clientWidth, clientHeight);
}

TMainWindow::~TMainWindow() {
  // The parts and the bar go while the menus and glyphs they use are still there.
  FreeParts();
  DestroyMenuBar();
  DestroyHandle();
}

std::string TMainWindow::Caption() const { return native::windowText(hwnd_); }

void TMainWindow::SetCaption(const std::string& caption) { native::setWindowText(hwnd_, caption); }

void TMainWindow::SetIcon() {
  // Icon resource 1, as the program's resources hold it, in the two sizes the system shows.
  const auto load = [](int metric) {
    const int size = GetSystemMetrics(metric);
    return reinterpret_cast<LPARAM>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, LR_SHARED));
  };
  if (const LPARAM big = load(SM_CXICON)) SendMessageW(hwnd_, WM_SETICON, ICON_BIG, big);
  if (const LPARAM small = load(SM_CXSMICON)) SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, small);
}

void TMainWindow::SetColor(TColor color) {
  color_ = color;
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void TMainWindow::SetFont(const TFontInfo& font) { ApplyFont(native::fontOf(font)); }

void TMainWindow::CenterOnScreen() {
  native::resizeClient(hwnd_, clientWidth_, clientHeight_);
  native::centerOnWorkArea(hwnd_);
}

void TMainWindow::Show() {
  native::resizeClient(hwnd_, clientWidth_, clientHeight_);
  ShowWindow(hwnd_, SW_SHOW);
  UpdateWindow(hwnd_);
  SetForegroundWindow(hwnd_);
}

void TMainWindow::Close() {
  if (hwnd_ != nullptr) SendMessageW(hwnd_, WM_CLOSE, 0, 0);
}

bool TMainWindow::Showing() const { return hwnd_ != nullptr && IsWindowVisible(hwnd_); }

TMenu* TMainWindow::AddMenu(const char* name, const std::string& caption) {
  menus_.push_back(std::make_unique<TMenu>(*this, name, caption));
  DrawMenuBar(hwnd_);
  native::resizeClient(hwnd_, clientWidth_, clientHeight_);
  return menus_.back().get();
}

void TMainWindow::SetTabOrder(const std::vector<native::Focusable>& controls) {
  // The dialog keys follow the order of the windows: the controls go to the top in this order.
  HWND after = HWND_TOP;
  for (const native::Focusable& control : controls) {
    HWND h = control.Handle();
    SetWindowLongPtrW(h, GWL_STYLE, GetWindowLongPtrW(h, GWL_STYLE) | WS_TABSTOP);
    SetWindowPos(h, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    after = h;
  }
  firstFocus_ = controls.empty() ? nullptr : controls.front().Handle();
  lastFocus_ = nullptr;
  if (GetActiveWindow() == hwnd_) RestoreFocus();
}

}  // namespace forms
