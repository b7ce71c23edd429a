// The Qt side of the gallery window: thumbnails in a wrapping icon list, a zoom
// box above them and the pictures left out below.
#pragma once

#include <QAction>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QSpinBox>
#include <QWidget>
#include <string>
#include <vector>

namespace forms::native {

class GalleryWindow : public QWidget {
 public:
  explicit GalleryWindow(QWidget* owner);

  QListWidget* thumbnails = nullptr;
  QSpinBox* zoomBox = nullptr;
  QLabel* leftOut = nullptr;
  QAction* zoomIn = nullptr;
  QAction* zoomOut = nullptr;

 protected:
  struct Picture {
    std::string data;
    QString caption;
    QImage picture;  // at its own size; the thumbnail is it zoomed
  };
  void buildControls();
  void showZoomed();
  std::vector<Picture> pictures_;
};

}  // namespace forms::native
