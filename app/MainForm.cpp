// The main window's layout: every control at its place, in pixels.
#include "app/MainForm.h"

#include <optional>

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QVBoxLayout>

#include "album/PictureTemplate.h"
#include "app/Controls.h"
#include "base/Stream.h"

static void initResources() { Q_INIT_RESOURCE(QuilloryAlbum); }

namespace app {

namespace {

const QColor kSkyBlue(166, 202, 240);
const QColor kPurple(128, 0, 128);
const QColor kUserBoxColor(202, 251, 255);
const QColor kListBoxColor(254, 255, 210);
constexpr int kItemHeight = 15;
constexpr int kClientWidth = 492;
constexpr int kClientHeight = 328;

QFont pixelFont(const char* family, int pixels, bool bold = false) {
  QFont font(QString::fromLatin1(family));
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

void setColor(QWidget* w, QPalette::ColorRole role, const QColor& color) {
  QPalette palette = w->palette();
  palette.setColor(role, color);
  w->setPalette(palette);
}

base::Bitmap bitmapResource(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QByteArray bytes = file.readAll();
  base::ConstMemoryStream stream(bytes.constData(), static_cast<size_t>(bytes.size()));
  base::Bitmap bitmap;
  bitmap.loadFromStream(stream);
  return bitmap;
}

}  // namespace

TMainForm::TMainForm(forms::UserInterface& ui, UsersSource users, AboutBox aboutBox)
    : forms::TComponent(nullptr),
      ui_(ui),
      users_(std::move(users)),
      aboutBox_(aboutBox ? std::move(aboutBox) : [this](bool splash) { ShowAboutBox(this, splash); }),
      userNames_(users::kUserSlots),
      userDirs_(users::kUserSlots) {
  initResources();
  buildWindow();
  FormCreate();
}

TMainForm::~TMainForm() = default;

void TMainForm::buildWindow() {
  setObjectName(QStringLiteral("MainForm"));
  setWindowTitle(QString::fromLatin1(kApplicationTitle));
  setWindowIcon(QIcon(QStringLiteral(":/QuilloryAlbum.ico")));
  setAcceptDrops(true);  // a Palm folder or a picture database dropped on the window opens
  // A fixed single border with system menu and minimise box, no maximise box.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  setFont(pixelFont("MS Sans Serif", 11));

  client = new QWidget;
  client->setObjectName(QStringLiteral("client"));
  client->setFixedSize(kClientWidth, kClientHeight);
  client->setAutoFillBackground(true);
  setColor(client, QPalette::Window, kSkyBlue);
  setCentralWidget(client);

  for (int i = 0; i < 7; ++i) ImageList1.emplace_back(QStringLiteral(":/glyph%1.png").arg(i));
  buildMenu();
  buildAlbumMenu();
  buildToolBar();
  buildImages();
  buildLabels();
  buildLists();

  QWidget::setTabOrder(ListBox1, UserBox);
  QWidget::setTabOrder(UserBox, ToolBar1);
  ListBox1->setFocus();
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  adjustSize();
  if (const QScreen* screen = this->screen()) move(screen->availableGeometry().center() - rect().center());
}

QAction* TMainForm::addItem(QMenu* menu, const char* name, const char* caption, int glyph, const char* hint,
                            void (TMainForm::*handler)()) {
  QAction* action = menu->addAction(ImageList1[static_cast<size_t>(glyph)], QString::fromLatin1(caption));
  action->setObjectName(QString::fromLatin1(name));
  action->setProperty("imageIndex", glyph);
  action->setToolTip(QString::fromLatin1(hint));
  action->setStatusTip(QString::fromLatin1(hint));
  action->setIconVisibleInMenu(true);
  connect(action, &QAction::triggered, this, [this, handler] { runCommand([this, handler] { (this->*handler)(); }); });
  return action;
}

void TMainForm::buildMenu() {
  menuBar()->setObjectName(QStringLiteral("MainMenu1"));
  Picture1 = menuBar()->addMenu(QStringLiteral("Picture"));
  Picture1->setObjectName(QStringLiteral("Picture1"));
  Open1 = addItem(Picture1, "Open1", "Open from PDB", 0, "Open From PDB", &TMainForm::Open1Click);
  Save1 = addItem(Picture1, "Save1", "Save", 1, "Save", &TMainForm::Save1Click);
  SaveAs1 = addItem(Picture1, "SaveAs1", "Save As...", 2, "Save As...", &TMainForm::SaveAs1Click);
  Picture1->addSeparator()->setObjectName(QStringLiteral("N1"));
  ExportAll1 = addItem(Picture1, "ExportAll1", "Export All", 6, "Export All", &TMainForm::ExportAll1Click);
  Picture1->addSeparator()->setObjectName(QStringLiteral("N3"));
  Exit1 = addItem(Picture1, "Exit1", "Exit", 3, "Exit", &TMainForm::Exit1Click);

  Help1 = menuBar()->addMenu(QStringLiteral("Help"));
  Help1->setObjectName(QStringLiteral("Help1"));
  Instructions1 = addItem(Help1, "Instructions1", "Instructions", 4, "Instructions", &TMainForm::Instructions1Click);
  Help1->addSeparator()->setObjectName(QStringLiteral("N2"));
  About1 = addItem(Help1, "About1", "About", 5, "", &TMainForm::About1Click);
}

void TMainForm::buildToolBar() {
  ToolBar1 = new ToolBar(client);
  ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
  ToolBar1->setGeometry(0, 0, kClientWidth, 24);
  setColor(ToolBar1, QPalette::Button, palette().color(QPalette::Button));
  ToolBar1->addButton(QStringLiteral("ToolButton1"), 0, Open1, QStringLiteral("Open From PDB"));
  ToolBar1->addButton(QStringLiteral("ToolButton2"), 23, Save1, QStringLiteral("Save"));
  ToolBar1->addButton(QStringLiteral("ToolButton3"), 46, SaveAs1, QStringLiteral("Save As..."));
  ToolBar1->addSeparator(QStringLiteral("ToolButton8"), 69, 8);
  ToolBar1->addButton(QStringLiteral("ToolButton7"), 77, ExportAll1, QString());
  ToolBar1->addSeparator(QStringLiteral("ToolButton4"), 100, 9);
  ToolBar1->addButton(QStringLiteral("ToolButton6"), 109, Instructions1, QString());
  ToolBar1->addSeparator(QStringLiteral("ToolButton9"), 132, 31);
  ToolBar1->addButton(QStringLiteral("ToolButton5"), 163, Exit1, QStringLiteral("Exit"));
}

namespace {
// A control of the client area under its object name, at its place when one is given.
template <typename Control, typename Kind>
Control* makeControl(QWidget* parent, Kind kind, const char* name, std::optional<QRect> bounds = std::nullopt) {
  auto* control = new Control(kind, parent);
  control->setObjectName(QString::fromLatin1(name));
  if (bounds) control->setGeometry(*bounds);
  return control;
}
}  // namespace

void TMainForm::buildImages() {
  Bevel3 = makeControl<Bevel>(client, Bevel::Shape::TopLine, "Bevel3", QRect(-1, 25, 494, 7));
  Bevel1 = makeControl<Bevel>(client, Bevel::Shape::Box, "Bevel1");
  Image1 = makeControl<ImageControl>(client, true, "Image1");
  const album::PictureSize large = album::PictureSize::Large;
  Image1->resize(album::pictureWidth(large), album::pictureHeight(large));
  placePicture(large);
  Bevel2 = makeControl<Bevel>(client, Bevel::Shape::Box, "Bevel2", QRect(338, 270, 145, 50));
  LogoImage = makeControl<ImageControl>(client, false, "LogoImage", QRect(340, 272, 130, 33));
  LogoImage->setBitmap(bitmapResource(QStringLiteral(":/logo.bmp")));

  // Hidden images: the two picture templates and the work image of Export All.
  Image160 = makeControl<ImageControl>(client, true, "Image160");
  Image160->setBitmap(album::blankPicture(album::PictureSize::Small));
  Image320 = makeControl<ImageControl>(client, true, "Image320");
  Image320->setBitmap(album::blankPicture(album::PictureSize::Large));
  Image2 = makeControl<ImageControl>(client, true, "Image2");
  for (ImageControl* hidden : {Image160, Image320, Image2}) hidden->hide();
}

void TMainForm::placePicture(album::PictureSize size) {
  const QPoint origin = size == album::PictureSize::Large ? QPoint(8, 39) : QPoint(88, 107);
  const QRect picture(origin, QSize(album::pictureWidth(size), album::pictureHeight(size)));
  Image1->move(picture.topLeft());
  Bevel1->setGeometry(picture.adjusted(-2, -2, 2, 2));
}

void TMainForm::buildLabels() {
  auto makeLabel = [this](const char* name, const char* text, QRect bounds, QFont font, QColor color) {
    auto* label = new QLabel(QString::fromLatin1(text), client);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(bounds);
    label->setFont(font);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setTextInteractionFlags(Qt::NoTextInteraction);
    setColor(label, QPalette::WindowText, color);
    return label;
  };
  Label2 = makeLabel("Label2", "Current User", {339, 34, 73, 15}, pixelFont("Arial", 12, true), kPurple);
  Label3 = makeLabel("Label3", "Saved Pictures", {339, 74, 86, 15}, pixelFont("Arial", 12, true), kPurple);
  Label1 = makeLabel("Label1", "www.quillory.de", {369, 303, 81, 14}, pixelFont("Arial", 11), QColor(0, 0, 255));
}

void TMainForm::buildLists() {
  UserBox = new ComboBox(client);
  UserBox->setObjectName(QStringLiteral("UserBox"));
  UserBox->setGeometry(338, 49, 145, 23);
  UserBox->setEditable(false);
  UserBox->setFont(pixelFont("Arial", 12));
  UserBox->setItemDelegate(new FixedHeightDelegate(kItemHeight, UserBox));
  setColor(UserBox, QPalette::Base, kUserBoxColor);
  setColor(UserBox, QPalette::Button, kUserBoxColor);
  connect(UserBox, &ComboBox::closedUp, this, [this] { runCommand([this] { UserBoxCloseUp(); }); });

  ListBox1 = new ListBox(client);
  ListBox1->setObjectName(QStringLiteral("ListBox1"));
  ListBox1->setGeometry(338, 90, 145, 101);
  ListBox1->setFont(pixelFont("Arial", 12));
  ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
  ListBox1->setSortingEnabled(false);
  ListBox1->setUniformItemSizes(true);
  ListBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  ListBox1->setTextElideMode(Qt::ElideNone);
  ListBox1->setItemDelegate(new FixedHeightDelegate(kItemHeight, ListBox1));
  setColor(ListBox1, QPalette::Base, kListBoxColor);
  connect(ListBox1, &QListWidget::itemSelectionChanged, this, [this] { runCommand([this] { ListBox1Click(); }); });
}

}  // namespace app
