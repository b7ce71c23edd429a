#include "app/Gallery.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QIconEngine>
#include <QListWidget>
#include <QPainter>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "album/AlbumPictures.h"
#include "album/PictureDatabase.h"
#include "album/PictureDate.h"
#include "base/Text.h"
#include "forms/BitmapImage.h"
#include "platform/Files.h"

namespace app {

namespace {

constexpr int kDatabaseRole = Qt::UserRole;

// A name from a database (Windows-1252) as one line of text.
QString nameText(const std::string& ansi) {
  return QString::fromStdString(base::escapeControls(base::cp1252ToUtf8(ansi)));
}

QString caption(const album::AlbumPicture& picture) {
  const auto drawn = picture.drawn();
  const std::string date = drawn ? album::longDate(*drawn) : std::string("undated");
  return QString::fromStdString(date) + QLatin1Char('\n') + nameText(picture.name);
}

std::string fileNameOf(const std::string& path) {
  const auto cut = path.find_last_of(std::string("/") + platform::kPathSeparator);
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

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

Gallery::Gallery(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("Gallery"));
  buildControls();
  thumbnails->setFocus();  // the arrow keys and Enter go to the thumbnails
  resize(880, 600);
}

void Gallery::buildControls() {
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
    if (onChosen_) onChosen_(item->data(kDatabaseRole).toByteArray().toStdString());
  });

  zoomBox = new QSpinBox;
  zoomBox->setObjectName(QStringLiteral("Zoom"));
  zoomBox->setRange(kMinZoom, kMaxZoom);
  zoomBox->setSuffix(QStringLiteral(" \u00d7"));
  connect(zoomBox, &QSpinBox::valueChanged, this, [this] { showThumbnails(); });
  auto* zoomLabel = new QLabel(QStringLiteral("&Zoom:"));
  zoomLabel->setBuddy(zoomBox);

  zoomIn = new QAction(QStringLiteral("Zoom In"), this);
  zoomIn->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
  connect(zoomIn, &QAction::triggered, this, [this] { setZoom(zoom() + 1); });
  zoomOut = new QAction(QStringLiteral("Zoom Out"), this);
  zoomOut->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
  connect(zoomOut, &QAction::triggered, this, [this] { setZoom(zoom() - 1); });
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

int Gallery::zoom() const { return zoomBox->value(); }

void Gallery::setZoom(int zoom) { zoomBox->setValue(std::clamp(zoom, kMinZoom, kMaxZoom)); }

void Gallery::showPictures(const QString& userName, const std::vector<std::string>& databases) {
  setWindowTitle(userName.isEmpty() ? QStringLiteral("Gallery") : QStringLiteral("Gallery - ") + userName);
  const int64_t now = album::currentTime();
  std::vector<album::AlbumPicture> pictures;
  QStringList unreadable;
  const auto noteUnreadable = [&unreadable](const std::string& database, const char* failure) {
    unreadable << QString::fromStdString(base::fileNameToUtf8(fileNameOf(database) + ": " + failure));
  };
  for (const std::string& database : databases) {
    try {
      pictures.push_back(album::readAlbumPicture(database, now));
    } catch (const std::exception& e) {
      noteUnreadable(database, e.what());
    }
  }
  album::sortAsDrawn(pictures);
  pictures_.clear();
  thumbnails->clear();  // another user's pictures start at the first
  for (const album::AlbumPicture& picture : pictures) {
    try {
      base::Bitmap bitmap;
      if (!album::decodePictureDatabase(picture.database, bitmap)) throw album::EInvalidDatabase();
      pictures_.push_back({picture.database, caption(picture), forms::toQImage(bitmap)});
    } catch (const std::exception& e) {
      noteUnreadable(picture.database, e.what());
    }
  }
  leftOut->setText(QStringLiteral("Left out, as they cannot be read:\n") + unreadable.join(QLatin1Char('\n')));
  leftOut->setVisible(!unreadable.isEmpty());
  showThumbnails();
}

void Gallery::showThumbnails() {
  const int current = thumbnails->currentRow();
  thumbnails->clear();
  QSize largest;
  for (const Thumbnail& picture : pictures_) {
    auto* engine = new ZoomedPicture(picture.picture, zoom());
    largest = largest.expandedTo(engine->size());
    auto* item = new QListWidgetItem(QIcon(engine), picture.caption, thumbnails);
    item->setData(kDatabaseRole, QByteArray::fromStdString(picture.database));
    item->setTextAlignment(Qt::AlignHCenter | Qt::AlignTop);
  }
  thumbnails->setIconSize(largest);
  if (thumbnails->count() > 0) thumbnails->setCurrentRow(std::clamp(current, 0, thumbnails->count() - 1));
}

}  // namespace app
