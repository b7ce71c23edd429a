// The Qt side of the main window, its menus and its tool bar.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLayout>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QScreen>
#include <QToolButton>

#include "forms/FileNames_qt.h"
#include "forms/MainWindow.h"
#include "forms/QtTypes_qt.h"

namespace forms {

namespace {

// A separator between tool buttons: an etched vertical line in its middle.
class ToolSeparator : public QWidget {
 public:
  using QWidget::QWidget;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    const int x = width() / 2 - 1;
    p.setPen(shadowColor(this));
    p.drawLine(x, 0, x, height() - 1);
    p.setPen(highlightColor(this));
    p.drawLine(x + 1, 0, x + 1, height() - 1);
  }
};

}  // namespace

namespace native {

MenuItem::MenuItem(TMenu& menu) : QAction(&menu) {}

Menu::Menu(TMainWindow& window) : QMenu(window.menuBar()) {}

ToolBar::ToolBar(TMainWindow& window) : QWidget(window.client), contents_(new QWidget(this)) {
  setFocusPolicy(Qt::TabFocus);
}

void ToolBar::resizeEvent(QResizeEvent*) { contents_->setGeometry(kEdge, kEdge, width() - kEdge, height() - kEdge); }

void ToolBar::paintEvent(QPaintEvent*) {
  // Transparent: only the edges are drawn, the parent's colour shows through.
  QPainter p(this);
  p.setPen(shadowColor(this));
  p.drawLine(0, 0, width() - 1, 0);
  p.drawLine(0, 0, 0, height() - 1);
  p.setPen(highlightColor(this));
  p.drawLine(1, 1, width() - 1, 1);
  p.drawLine(1, 1, 1, height() - 1);
}

MainWindow::MainWindow() : client(new QWidget) {}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (!droppedFileName(event->mimeData()).empty()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
  const std::string path = droppedFileName(event->mimeData());
  if (path.empty()) return;
  event->acceptProposedAction();
  if (const auto& handler = static_cast<TMainWindow*>(this)->OnDropFile) handler(path);
}

}  // namespace native

TImageList::TImageList(const std::vector<std::string>& resourceNames) {
  for (const std::string& name : resourceNames) icons_.emplace_back(QString::fromStdString(":/" + name + ".png"));
}

int TImageList::Count() const { return static_cast<int>(icons_.size()); }

TMenuItem::TMenuItem(TMenu& menu, const char* name, const std::string& caption, int glyph, const std::string& hint,
                     std::function<void()> onClick, const std::string& shortcut)
    : native::MenuItem(menu), caption_(caption), hint_(hint), glyph_(glyph), onClick_(std::move(onClick)) {
  setObjectName(QString::fromLatin1(name));
  setText(QString::fromStdString(caption));
  if (glyph >= 0) {
    setIcon(menu.Window().Images().icon(glyph));
    setProperty("imageIndex", glyph);
    setIconVisibleInMenu(true);
  }
  setToolTip(QString::fromStdString(hint));
  setStatusTip(QString::fromStdString(hint));
  if (!shortcut.empty()) setShortcut(QKeySequence(QString::fromStdString(shortcut)));
  connect(this, &QAction::triggered, this, [this] { onClick_(); });
}

TMenu::TMenu(TMainWindow& window, const char* name, const std::string& caption) : native::Menu(window), window_(window) {
  setObjectName(QString::fromLatin1(name));
  setTitle(QString::fromStdString(caption));
}

TMenuItem* TMenu::AddItem(const char* name, const std::string& caption, int glyph, const std::string& hint,
                          std::function<void()> onClick, const std::string& shortcut) {
  items_.push_back(std::make_unique<TMenuItem>(*this, name, caption, glyph, hint, std::move(onClick), shortcut));
  addAction(items_.back().get());
  return items_.back().get();
}

void TMenu::AddSeparator(const char* name) { addSeparator()->setObjectName(QString::fromLatin1(name)); }

TToolBar::TToolBar(TMainWindow& window, const char* name) : native::ToolBar(window) {
  setObjectName(QString::fromLatin1(name));
  setPaletteColor(*this, QPalette::Button, clBtnFace);
}

void TToolBar::SetBounds(const TRect& bounds) { setGeometry(bounds.left, bounds.top, bounds.width, bounds.height); }

void TToolBar::AddButton(const char* name, int x, TMenuItem& item, const std::string& toolTip) {
  auto* button = new QToolButton(contents_);
  button->setObjectName(QString::fromLatin1(name));
  button->setGeometry(x, 0, kButtonWidth, kButtonHeight);
  button->setAutoRaise(true);
  button->setFocusPolicy(Qt::NoFocus);
  button->setToolButtonStyle(Qt::ToolButtonIconOnly);
  button->setIconSize(QSize(16, 16));
  button->setIcon(item.icon());
  button->setText(item.text());
  button->setToolTip(QString::fromStdString(toolTip));
  button->setEnabled(item.isEnabled());
  connect(&item, &QAction::changed, button, [button, &item] { button->setEnabled(item.isEnabled()); });
  connect(button, &QToolButton::clicked, &item, &QAction::trigger);
}

void TToolBar::AddSeparator(const char* name, int x, int width) {
  auto* separator = new ToolSeparator(contents_);
  separator->setObjectName(QString::fromLatin1(name));
  separator->setGeometry(x, 0, width, kButtonHeight);
}

TMainWindow::TMainWindow(int clientWidth, int clientHeight, std::vector<std::string> glyphResources)
    : TComponent(nullptr), images_(glyphResources) {
  setAcceptDrops(true);  // a file dropped on the window is handed to OnDropFile
  // A fixed single border with system menu and minimise box, no maximise box.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  client->setObjectName(QStringLiteral("client"));
  client->setFixedSize(clientWidth, clientHeight);
  client->setAutoFillBackground(true);
  setCentralWidget(client);
}

TMainWindow::~TMainWindow() = default;

std::string TMainWindow::Caption() const { return windowTitle().toStdString(); }

void TMainWindow::SetCaption(const std::string& caption) { setWindowTitle(QString::fromStdString(caption)); }

void TMainWindow::SetIcon() { setWindowIcon(QIcon(QStringLiteral(":/QuilloryAlbum.ico"))); }

void TMainWindow::SetColor(TColor color) { setPaletteColor(*client, QPalette::Window, color); }

void TMainWindow::SetFont(const TFontInfo& font) { setFont(toQFont(font)); }

void TMainWindow::CenterOnScreen() {
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  adjustSize();
  if (const QScreen* screen = this->screen()) move(screen->availableGeometry().center() - rect().center());
}

void TMainWindow::Show() { show(); }

void TMainWindow::Close() { close(); }

bool TMainWindow::Showing() const { return isVisible(); }

TMenu* TMainWindow::AddMenu(const char* name, const std::string& caption) {
  menus_.push_back(std::make_unique<TMenu>(*this, name, caption));
  menuBar()->addMenu(menus_.back().get());
  return menus_.back().get();
}

void TMainWindow::SetTabOrder(const std::vector<native::Focusable>& controls) {
  for (size_t i = 1; i < controls.size(); ++i) QWidget::setTabOrder(controls[i - 1], controls[i]);
  if (!controls.empty()) controls.front()->setFocus();
}

}  // namespace forms
