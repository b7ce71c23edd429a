// The gallery: one user's pictures as thumbnails, each with its date and name,
// in the order they were drawn (as the web album has them), zoomed by whole
// pixels. Enter or a double-click on a thumbnail asks for that picture; Escape
// closes the window.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

class QAction;
class QLabel;
class QListWidget;
class QSpinBox;

namespace app {

class Gallery : public QWidget {
 public:
  static constexpr int kMinZoom = 1;
  static constexpr int kMaxZoom = 4;

  explicit Gallery(QWidget* parent);

  // Shows the pictures of `databases` (full paths) for the user named
  // `userName`; databases that cannot be read are named below the thumbnails.
  void showPictures(const QString& userName, const std::vector<std::string>& databases);
  // Called with the database of the thumbnail chosen by Enter or a double-click.
  void setOnChosen(std::function<void(const std::string&)> onChosen) { onChosen_ = std::move(onChosen); }

  int zoom() const;
  void setZoom(int zoom);

  QListWidget* thumbnails = nullptr;
  QSpinBox* zoomBox = nullptr;
  QLabel* leftOut = nullptr;
  QAction* zoomIn = nullptr;
  QAction* zoomOut = nullptr;

 private:
  struct Thumbnail {
    std::string database;
    QString caption;
    QImage picture;  // at its own size; the thumbnail is it zoomed
  };
  void buildControls();
  void showThumbnails();

  std::vector<Thumbnail> pictures_;
  std::function<void(const std::string&)> onChosen_;
};

}  // namespace app
