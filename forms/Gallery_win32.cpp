#include "forms/System_win32.h"

#include <commctrl.h>

#include <algorithm>

#include "forms/Gallery.h"
#include "forms/MainWindow.h"

namespace forms {

namespace {

constexpr int kMargin = 8;
constexpr int kBarHeight = 22;
constexpr int kLeftOutHeight = 48;

HWND childWindow(HWND parent, const wchar_t* className, DWORD style, DWORD exStyle = 0) {
  HWND hwnd = CreateWindowExW(exStyle, className, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return hwnd;
}

int focusedItem(HWND list) { return static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED)); }

}  // namespace

namespace native {

GalleryWindow::GalleryWindow(TMainWindow& owner) : WindowPart(owner) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS};
  InitCommonControlsEx(&controls);
  CreateHandle(WS_EX_CONTROLPARENT, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT, 880, 600,
               owner_.Handle());
  zoomLabel_ = childWindow(hwnd_, L"STATIC", SS_LEFT);
  SetWindowTextW(zoomLabel_, L"&Zoom:");
  zoomEdit_ = childWindow(hwnd_, L"EDIT", WS_TABSTOP | ES_NUMBER, WS_EX_CLIENTEDGE);
  zoomUpDown_ = childWindow(hwnd_, UPDOWN_CLASSW, UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS);
  SendMessageW(zoomUpDown_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(zoomEdit_), 0);
  SendMessageW(zoomUpDown_, UDM_SETRANGE32, TGalleryWindow::kMinZoom, TGalleryWindow::kMaxZoom);
  SendMessageW(zoomUpDown_, UDM_SETPOS32, 0, zoom_);
  // The thumbnails are painted here: the list keeps no enlarged copies, and its image list only gives them room.
  thumbnails_ = childWindow(hwnd_, WC_LISTVIEWW,
                            WS_TABSTOP | LVS_ICON | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_AUTOARRANGE |
                                LVS_SHAREIMAGELISTS,
                            WS_EX_CLIENTEDGE);
  leftOut_ = childWindow(hwnd_, L"STATIC", SS_LEFT | SS_NOPREFIX);
  ShowWindow(leftOut_, SW_HIDE);
  Layout();
}

GalleryWindow::~GalleryWindow() {
  DestroyHandle();
  if (iconSize_ != nullptr) ImageList_Destroy(iconSize_);
}

void GalleryWindow::Layout() {
  RECT client;
  GetClientRect(hwnd_, &client);
  const int width = std::max<int>(0, client.right - 2 * kMargin);
  const bool leftOut = (GetWindowLongPtrW(leftOut_, GWL_STYLE) & WS_VISIBLE) != 0;
  MoveWindow(zoomLabel_, kMargin, kMargin + 4, 40, kBarHeight - 4, TRUE);
  MoveWindow(zoomEdit_, kMargin + 44, kMargin, 48, kBarHeight, TRUE);
  SendMessageW(zoomUpDown_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(zoomEdit_), 0);
  const int top = 2 * kMargin + kBarHeight;
  const int bottom = client.bottom - kMargin - (leftOut ? kLeftOutHeight + kMargin : 0);
  MoveWindow(thumbnails_, kMargin, top, width, std::max(0, bottom - top), TRUE);
  MoveWindow(leftOut_, kMargin, client.bottom - kMargin - kLeftOutHeight, width, kLeftOutHeight, TRUE);
}

void GalleryWindow::ShowZoomed() {
  const int current = focusedItem(thumbnails_);
  SendMessageW(thumbnails_, LVM_DELETEALLITEMS, 0, 0);
  int width = 1;
  int height = 1;
  for (const Picture& p : pictures_) {
    width = std::max(width, p.picture.width() * zoom_);
    height = std::max(height, p.picture.height() * zoom_);
  }
  // An image list without images: it gives every item the room of the largest thumbnail.
  HIMAGELIST room = ImageList_Create(width, height, ILC_COLOR24, 0, 1);
  SendMessageW(thumbnails_, LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(room));
  if (iconSize_ != nullptr) ImageList_Destroy(iconSize_);
  iconSize_ = room;
  SendMessageW(thumbnails_, LVM_SETICONSPACING, 0, static_cast<LPARAM>(-1));
  for (size_t i = 0; i < pictures_.size(); ++i) {
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = static_cast<int>(i);
    item.pszText = pictures_[i].caption.data();
    item.iImage = I_IMAGENONE;
    item.lParam = static_cast<LPARAM>(i);
    SendMessageW(thumbnails_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  }
  if (pictures_.empty()) return;
  const int index = std::clamp(current, 0, static_cast<int>(pictures_.size()) - 1);
  LVITEMW state{};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  state.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(thumbnails_, LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&state));
  SendMessageW(thumbnails_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
}

void GalleryWindow::Choose(int index) {
  if (index < 0 || static_cast<size_t>(index) >= pictures_.size()) return;
  // Copies: the handler may show other thumbnails.
  const std::string data = pictures_[static_cast<size_t>(index)].data;
  if (const auto handler = static_cast<TGalleryWindow&>(*this).OnChosen) handler(data);
}

void GalleryWindow::ZoomBy(int step) { static_cast<TGalleryWindow&>(*this).SetZoom(zoom_ + step); }

MessageResult GalleryWindow::ThumbnailNotice(void* notice) {
  const auto* header = static_cast<const NMHDR*>(notice);
  if (header->code == LVN_ITEMACTIVATE) {
    Choose(static_cast<const NMITEMACTIVATE*>(notice)->iItem);
    return 0;
  }
  if (header->code != NM_CUSTOMDRAW) return 0;
  const auto* draw = static_cast<const NMLVCUSTOMDRAW*>(notice);
  switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
      return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
      return CDRF_NOTIFYPOSTPAINT;
    case CDDS_ITEMPOSTPAINT: {
      const auto index = static_cast<size_t>(draw->nmcd.lItemlParam);
      if (index >= pictures_.size()) return CDRF_DODEFAULT;
      RECT icon{};
      icon.left = LVIR_ICON;
      SendMessageW(thumbnails_, LVM_GETITEMRECT, draw->nmcd.dwItemSpec, reinterpret_cast<LPARAM>(&icon));
      const base::Bitmap& picture = pictures_[index].picture;
      // In the middle of the room the largest thumbnail has.
      drawBitmap(draw->nmcd.hdc, icon.left + (icon.right - icon.left - picture.width() * zoom_) / 2,
                 icon.top + (icon.bottom - icon.top - picture.height() * zoom_) / 2, picture, zoom_);
      return CDRF_DODEFAULT;
    }
    default:
      return CDRF_DODEFAULT;
  }
}

MessageResult GalleryWindow::WindowProc(unsigned message, WordParam wParam, LongParam lParam) {
  switch (message) {
    case WM_SIZE:
      Layout();
      return 0;
    case WM_CLOSE:
      ShowWindow(hwnd_, SW_HIDE);
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && !IsChild(hwnd_, GetFocus())) {
        SetFocus(thumbnails_);
        return 0;
      }
      break;
    case WM_COMMAND:
      // Escape and Enter, as the dialog keys send them.
      if (LOWORD(wParam) == IDCANCEL) {
        ShowWindow(hwnd_, SW_HIDE);
        return 0;
      }
      if (LOWORD(wParam) == IDOK) {
        if (GetFocus() == thumbnails_) Choose(focusedItem(thumbnails_));
        return 0;
      }
      if (reinterpret_cast<HWND>(lParam) == zoomEdit_ && HIWORD(wParam) == EN_CHANGE) {
        BOOL invalid = FALSE;
        const int zoom = static_cast<int>(SendMessageW(zoomUpDown_, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&invalid)));
        if (!invalid && zoom != zoom_) static_cast<TGalleryWindow&>(*this).SetZoom(zoom);
        return 0;
      }
      break;
    case WM_NOTIFY:
      if (reinterpret_cast<const NMHDR*>(lParam)->hwndFrom == thumbnails_)
        return ThumbnailNotice(reinterpret_cast<void*>(lParam));
      break;
    default:
      break;
  }
  return WindowPart::WindowProc(message, wParam, lParam);
}

bool GalleryWindow::PreTranslate(MSG& message) {
  if (message.message == WM_KEYDOWN && GetKeyState(VK_CONTROL) < 0) {
    if (message.wParam == VK_OEM_PLUS || message.wParam == VK_ADD) {
      ZoomBy(1);
      return true;
    }
    if (message.wParam == VK_OEM_MINUS || message.wParam == VK_SUBTRACT) {
      ZoomBy(-1);
      return true;
    }
  }
  // Tab between the zoom box and the thumbnails; Enter and Escape as commands.
  return IsDialogMessageW(hwnd_, &message) != FALSE;
}

}  // namespace native

TGalleryWindow::TGalleryWindow(TMainWindow& owner) : native::GalleryWindow(owner) {}

void TGalleryWindow::SetCaption(const std::string& caption) { native::setWindowText(hwnd_, caption); }

void TGalleryWindow::ShowThumbnails(std::vector<TThumbnail> thumbnails, const std::string& leftOut) {
  // Another user's pictures start at the first.
  SendMessageW(thumbnails_, LVM_DELETEALLITEMS, 0, 0);
  pictures_.clear();
  for (TThumbnail& t : thumbnails)
    pictures_.push_back({std::move(t.data), native::toWide(t.caption), std::move(t.picture)});
  native::setWindowText(leftOut_, leftOut);
  ShowWindow(leftOut_, leftOut.empty() ? SW_HIDE : SW_SHOWNA);
  Layout();
  ShowZoomed();
}

void TGalleryWindow::Show() {
  ShowWindow(hwnd_, SW_SHOW);
  SetForegroundWindow(hwnd_);
  SetFocus(thumbnails_);
}

bool TGalleryWindow::Showing() const { return IsWindowVisible(hwnd_) != FALSE; }

int TGalleryWindow::Zoom() const { return zoom_; }

void TGalleryWindow::SetZoom(int zoom) {
  zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
  if (zoom == zoom_) return;
  zoom_ = zoom;
  SendMessageW(zoomUpDown_, UDM_SETPOS32, 0, zoom);
  ShowZoomed();
}

}  // namespace forms
