// The Qt side of the gallery window.
#include <QHBoxLayout>
#include <QIconEngine>
#include <QPainter>
#include <QVBoxLayout>
#include <algorithm>

#include "forms/BitmapImage_qt.h"
#include "forms/Gallery.h"
#include "forms/MainWindow.h"

namespace forms {

namespace {

constexpr int kDatabaseRole = Qt::UserRole;

// A thumbnail drawn from the picture when painted, every pixel a square of
// zoom × zoom pixels, never blended: a large zoom keeps no enlarged copy.
class ZoomedPicture : public QIconEngine {
 public:
  ZoomedPicture(QImage picture, int zoom) : picture_(std::move(picture)), zoom_(zoom) {}
  QSize size() const { return picture_.size() * zoom_; }

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override {
    painter->save();
    painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter->setClipRect(rect, Qt::IntersectClip);
    painter->drawImage(QRect(rect.topLeft(), size()), picture_);
    painter->restore();
  }
  QPixmap pixmap(const QSize&, QIcon::Mode mode, QIcon::State state) override {
    QPixmap pixmap(size());
    QPainter painter(&pixmap);
    paint(&painter, pixmap.rect(), mode, state);
    return pixmap;
  }
  QSize actualSize(const QSize&, QIcon::Mode, QIcon::State) override { return size(); }
  QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override { return {size()}; }
  QIconEngine* clone() const override { return new ZoomedPicture(*this); }
  QString key() const override { return QStringLiteral("ZoomedPicture"); }

 private:
  QImage picture_;
  int zoom_;
};

}  // namespace

namespace native {

GalleryWindow::GalleryWindow(QWidget* owner) : QWidget(owner, Qt::Window) {
  setObjectName(QStringLiteral("Gallery"));
  buildControls();
  thumbnails->setFocus();  // the arrow keys and Enter go to the thumbnails
  resize(880, 600);
}

void GalleryWindow::buildControls() {
  thumbnails = new QListWidget;
  thumbnails->setObjectName(QStringLiteral("Thumbnails"));
  thumbnails->setViewMode(QListView::IconMode);
  thumbnails->setMovement(QListView::Static);
  thumbnails->setResizeMode(QListView::Adjust);
  thumbnails->setWrapping(true);
  thumbnails->setWordWrap(true);
  thumbnails->setSpacing(8);
  thumbnails->setSelectionMode(QAbstractItemView::SingleSelection);
  connect(thumbnails, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
    if (const auto& chosen = static_cast<TGalleryWindow*>(this)->OnChosen)
      chosen(item->data(kDatabaseRole).toByteArray().toStdString());
  });

  zoomBox = new QSpinBox;
  zoomBox->setObjectName(QStringLiteral("Zoom"));
  zoomBox->setRange(TGalleryWindow::kMinZoom, TGalleryWindow::kMaxZoom);
  zoomBox->setSuffix(QStringLiteral(" \u00d7"));
  connect(zoomBox, &QSpinBox::valueChanged, this, [this] { showZoomed(); });
  auto* zoomLabel = new QLabel(QStringLiteral("&Zoom:"));
  zoomLabel->setBuddy(zoomBox);

  zoomIn = new QAction(QStringLiteral("Zoom In"), this);
  zoomIn->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
  connect(zoomIn, &QAction::triggered, this, [this] { zoomBox->setValue(zoomBox->value() + 1); });
  zoomOut = new QAction(QStringLiteral("Zoom Out"), this);
  zoomOut->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
  connect(zoomOut, &QAction::triggered, this, [this] { zoomBox->setValue(zoomBox->value() - 1); });
  auto* closeWindow = new QAction(QStringLiteral("Close"), this);
  closeWindow->setShortcut(QKeySequence(Qt::Key_Escape));
  connect(closeWindow, &QAction::triggered, this, &QWidget::close);
  addActions({zoomIn, zoomOut, closeWindow});

  leftOut = new QLabel;
  leftOut->setObjectName(QStringLiteral("LeftOut"));
  leftOut->setWordWrap(true);
  leftOut->setTextFormat(Qt::PlainText);
  leftOut->hide();

  auto* bar = new QHBoxLayout;
  bar->addWidget(zoomLabel);
  bar->addWidget(zoomBox);
  bar->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(bar);
  layout->addWidget(thumbnails);
  layout->addWidget(leftOut);
}

void GalleryWindow::showZoomed() {
  const int current = thumbnails->currentRow();
  thumbnails->clear();
  QSize largest;
  for (const Picture& picture : pictures_) {
    auto* engine = new ZoomedPicture(picture.picture, zoomBox->value());
    largest = largest.expandedTo(engine->size());
    auto* item = new QListWidgetItem(QIcon(engine), picture.caption, thumbnails);
    item->setData(kDatabaseRole, QByteArray::fromStdString(picture.data));
    item->setTextAlignment(Qt::AlignHCenter | Qt::AlignTop);
  }
  thumbnails->setIconSize(largest);
  if (thumbnails->count() > 0) thumbnails->setCurrentRow(std::clamp(current, 0, thumbnails->count() - 1));
}

}  // namespace native

TGalleryWindow::TGalleryWindow(TMainWindow& owner) : native::GalleryWindow(&owner) {}

void TGalleryWindow::SetCaption(const std::string& caption) { setWindowTitle(QString::fromStdString(caption)); }

void TGalleryWindow::ShowThumbnails(std::vector<TThumbnail> thumbnails, const std::string& leftOutText) {
  pictures_.clear();
  this->thumbnails->clear();  // another user's pictures start at the first
  for (TThumbnail& thumbnail : thumbnails)
    pictures_.push_back({std::move(thumbnail.data), QString::fromStdString(thumbnail.caption), toQImage(thumbnail.picture)});
  leftOut->setText(QString::fromStdString(leftOutText));
  leftOut->setVisible(!leftOutText.empty());
  showZoomed();
}

void TGalleryWindow::Show() {
  show();
  raise();
  activateWindow();
}

bool TGalleryWindow::Showing() const { return isVisible(); }

int TGalleryWindow::Zoom() const { return zoomBox->value(); }

void TGalleryWindow::SetZoom(int zoom) { zoomBox->setValue(std::clamp(zoom, kMinZoom, kMaxZoom)); }

}  // namespace forms
