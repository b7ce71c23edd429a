// The Win32 side of the gallery window: a window owned by the main window, with
// a zoom box (an edit with an up-down control) above a list view whose
// thumbnails it paints itself from the pictures, and the pictures left out below.
#pragma once

#include <string>
#include <vector>

#include "base/Bitmap.h"
#include "forms/MainWindow_win32.h"

namespace forms {
class TMainWindow;

namespace native {

class GalleryWindow : public WindowPart {
 public:
  WindowHandle ThumbnailsHandle() const { return thumbnails_; }
  WindowHandle ZoomHandle() const { return zoomEdit_; }
  WindowHandle LeftOutHandle() const { return leftOut_; }

 protected:
  explicit GalleryWindow(TMainWindow& owner);
  ~GalleryWindow() override;
  MessageResult WindowProc(unsigned message, WordParam wParam, LongParam lParam) override;
  bool PreTranslate(tagMSG& message) override;
  // The list filled anew at the zoom shown, keeping the current thumbnail.
  void ShowZoomed();
  void Layout();

  struct Picture {
    std::string data;
    std::wstring caption;
    base::Bitmap picture;  // at its own size; the thumbnail is it zoomed
  };
  std::vector<Picture> pictures_;
  int zoom_ = 1;
  WindowHandle zoomEdit_ = nullptr;
  WindowHandle zoomUpDown_ = nullptr;
  WindowHandle thumbnails_ = nullptr;
  WindowHandle leftOut_ = nullptr;

 private:
  WindowHandle zoomLabel_ = nullptr;
  _IMAGELIST* iconSize_ = nullptr;

  void Choose(int index);
  void ZoomBy(int step);
  MessageResult ThumbnailNotice(void* header);
};

}  // namespace native
}  // namespace forms
