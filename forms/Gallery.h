// A window of thumbnails with captions, zoomed by whole pixels: every pixel a
// square of zoom x zoom screen pixels, never blended. Enter or a double-click on
// a thumbnail chooses it; Escape closes the window. Declared once here; each
// toolkit's side (Gallery_qt.*, Gallery_win32.*) holds the window.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "base/Bitmap.h"

#if defined(QA_TOOLKIT_WIN32)
#include "forms/Gallery_win32.h"
#else
#include "forms/Gallery_qt.h"
#endif

namespace forms {

class TMainWindow;

struct TThumbnail {
  std::string data;     // handed to OnChosen
  std::string caption;  // UTF-8, lines separated by '\n'
  base::Bitmap picture;
};

class TGalleryWindow : public native::GalleryWindow {
 public:
  static constexpr int kMinZoom = 1;
  static constexpr int kMaxZoom = 4;

  explicit TGalleryWindow(TMainWindow& owner);
  void SetCaption(const std::string& caption);
  // The thumbnails in this order, the first current; `leftOut` (UTF-8) is shown
  // below them, or nothing when empty.
  void ShowThumbnails(std::vector<TThumbnail> thumbnails, const std::string& leftOut);
  // Shown, raised and active.
  void Show();
  bool Showing() const;
  int Zoom() const;
  // Clamped to kMinZoom..kMaxZoom.
  void SetZoom(int zoom);

  std::function<void(const std::string& data)> OnChosen;
};

}  // namespace forms
