#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QStyleOptionComboBox>
#include <QToolButton>
#include <cstdlib>

#include "album/PictureTemplate.h"
#include "app/Controls.h"
#include "app/MainForm.h"
#include "support/PalmFolders.h"
#include "Person.h"
#include "RecordingUi.h"

using testsupport::PalmDesktop;
using app::TMainForm;

namespace {

struct Start {
  PalmDesktop desktop;
  RecordingUi ui;
  forms::ComponentPtr<TMainForm> form;
  Start() {
    desktop.writeRegistry();
    desktop.setUsers({{"Anna", "AnnaF"}});
    form.reset(new TMainForm(ui, &users::GetUsersData, ui.aboutBox()));
  }
  template <class T = QWidget>
  T* child(const char* name) {
    T* found = form->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
};

QColor roleColor(const QWidget* w, QPalette::ColorRole role) { return w->palette().color(role); }

}  // namespace

TEST(MainFormLayout, WindowAndControlsSitAtTheirPlaces) {
  Start s;
  TMainForm& f = *s.form;
  EXPECT_EQ(f.windowTitle(), "Quillory Album");
  EXPECT_STREQ(f.ClassName(), "TMainForm");
  EXPECT_EQ(f.client->size(), QSize(492, 328));
  EXPECT_EQ(f.minimumSize(), f.maximumSize());
  EXPECT_FALSE(f.windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(f.windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_TRUE(f.windowFlags() & Qt::WindowSystemMenuHint);
  EXPECT_EQ(roleColor(f.client, QPalette::Window), QColor(166, 202, 240));
  EXPECT_TRUE(f.client->autoFillBackground());
  EXPECT_EQ(f.font().family(), "MS Sans Serif");
  EXPECT_EQ(f.font().pixelSize(), 11);
  EXPECT_TRUE(f.windowIcon().availableSizes().contains(QSize(32, 32)));

  const std::vector<std::pair<const char*, QRect>> bounds = {
      {"ToolBar1", {0, 0, 492, 24}},     {"Bevel3", {-1, 25, 494, 7}},     {"Bevel1", {6, 37, 324, 284}},
      {"Image1", {8, 39, 320, 280}},     {"Label2", {339, 34, 73, 15}},    {"UserBox", {338, 49, 145, 23}},
      {"Label3", {339, 74, 86, 15}},     {"ListBox1", {338, 90, 145, 101}}, {"Bevel2", {338, 270, 145, 50}},
      {"LogoImage", {340, 272, 130, 33}}, {"Label1", {369, 303, 81, 14}}};
  for (const auto& [name, rect] : bounds) {
    QWidget* w = s.child(name);
    ASSERT_TRUE(w);
    EXPECT_EQ(w->geometry(), rect) << name;
    EXPECT_EQ(w->parentWidget(), f.client) << name;
  }
  EXPECT_EQ(static_cast<app::Bevel*>(f.Bevel3)->shape(), app::Bevel::Shape::TopLine);
  EXPECT_EQ(static_cast<app::Bevel*>(f.Bevel1)->shape(), app::Bevel::Shape::Box);
}

TEST(MainFormLayout, LabelsListsAndImagesLookAsDesigned) {
  Start s;
  TMainForm& f = *s.form;
  struct LabelLook { QLabel* label; const char* text; int pixels; bool bold; QColor color; };
  for (const LabelLook& l : {LabelLook{f.Label2, "Current User", 12, true, QColor(128, 0, 128)},
                             LabelLook{f.Label3, "Saved Pictures", 12, true, QColor(128, 0, 128)},
                             LabelLook{f.Label1, "www.quillory.de", 11, false, QColor(0, 0, 255)}}) {
    EXPECT_EQ(l.label->text(), l.text);
    EXPECT_EQ(l.label->font().family(), "Arial");
    EXPECT_EQ(l.label->font().pixelSize(), l.pixels);
    EXPECT_EQ(l.label->font().bold(), l.bold);
    EXPECT_EQ(roleColor(l.label, QPalette::WindowText), l.color);
    EXPECT_FALSE(l.label->autoFillBackground());
    EXPECT_EQ(l.label->frameShape(), QFrame::NoFrame);
    EXPECT_FALSE(l.label->openExternalLinks());
  }
  EXPECT_FALSE(f.UserBox->isEditable());
  EXPECT_EQ(f.UserBox->font().pixelSize(), 12);
  EXPECT_EQ(roleColor(f.UserBox, QPalette::Base), QColor(202, 251, 255));
  EXPECT_EQ(f.ListBox1->font().family(), "Arial");
  EXPECT_EQ(f.ListBox1->selectionMode(), QAbstractItemView::SingleSelection);
  EXPECT_FALSE(f.ListBox1->isSortingEnabled());
  EXPECT_EQ(roleColor(f.ListBox1, QPalette::Base), QColor(254, 255, 210));
  f.ListBox1->addItem(QStringLiteral("QuilloryPicTest.pdb"));
  EXPECT_EQ(f.ListBox1->sizeHintForRow(0), 15);
  EXPECT_EQ(f.UserBox->view()->sizeHintForRow(0), 15);

  // Hidden images hold the two templates; the logo is drawn unscaled and cut off.
  EXPECT_TRUE(f.Image160->isHidden() && f.Image320->isHidden() && f.Image2->isHidden());
  EXPECT_EQ(f.Image160->bitmap(), album::blankPicture(album::PictureSize::Small));
  EXPECT_EQ(f.Image320->bitmap(), album::blankPicture(album::PictureSize::Large));
  EXPECT_TRUE(f.Image1->bitmap().empty());
  EXPECT_EQ(f.LogoImage->bitmap().width(), 144);
  EXPECT_EQ(f.LogoImage->bitmap().height(), 33);
  EXPECT_EQ(f.LogoImage->bitmap().format(), base::PixelFormat::Rgb24);
  EXPECT_EQ(f.LogoImage->size(), QSize(130, 33));
}

TEST(MainFormLayout, MenuToolBarTabOrderAndTooltips) {
  Start s;
  TMainForm& f = *s.form;
  EXPECT_EQ(f.menuBar()->objectName(), "MainMenu1");
  const QList<QAction*> menus = f.menuBar()->actions();
  ASSERT_EQ(menus.size(), 2);
  EXPECT_EQ(menus[0]->text(), "Picture");
  EXPECT_EQ(menus[1]->text(), "Help");
  struct Item { const char* name; const char* caption; int glyph; };
  const std::vector<Item> picture = {{"Open1", "Open from PDB", 0}, {"Save1", "Save", 1}, {"SaveAs1", "Save As...", 2},
                                     {"N1", "", -1}, {"ExportAll1", "Export All", 6}, {"N3", "", -1}, {"Exit1", "Exit", 3}};
  const std::vector<Item> help = {{"Instructions1", "Instructions", 4}, {"N2", "", -1}, {"About1", "About", 5}};
  for (const auto& [menu, items] : {std::pair{f.Picture1, picture}, std::pair{f.Help1, help}}) {
    const QList<QAction*> actions = menu->actions();
    ASSERT_EQ(actions.size(), static_cast<qsizetype>(items.size()));
    for (size_t i = 0; i < items.size(); ++i) {
      QAction* a = actions[static_cast<qsizetype>(i)];
      EXPECT_EQ(a->objectName(), items[i].name);
      EXPECT_EQ(a->isSeparator(), items[i].glyph < 0);
      if (a->isSeparator()) continue;
      EXPECT_EQ(a->text(), items[i].caption);
      EXPECT_TRUE(a->shortcut().isEmpty());
      EXPECT_EQ(a->property("imageIndex").toInt(), items[i].glyph);
      EXPECT_EQ(a->icon().cacheKey(), f.ImageList1[static_cast<size_t>(items[i].glyph)].cacheKey());
    }
  }
  ASSERT_EQ(f.ImageList1.size(), 7u);
  for (const QIcon& glyph : f.ImageList1) EXPECT_TRUE(glyph.availableSizes().contains(QSize(16, 16)));

  struct Button { const char* name; int x; int width; QAction* action; const char* tip; };
  const std::vector<Button> buttons = {
      {"ToolButton1", 0, 23, f.Open1, "Open From PDB"}, {"ToolButton2", 23, 23, f.Save1, "Save"},
      {"ToolButton3", 46, 23, f.SaveAs1, "Save As..."}, {"ToolButton8", 69, 8, nullptr, ""},
      {"ToolButton7", 77, 23, f.ExportAll1, ""},        {"ToolButton4", 100, 9, nullptr, ""},
      {"ToolButton6", 109, 23, f.Instructions1, ""},    {"ToolButton9", 132, 31, nullptr, ""},
      {"ToolButton5", 163, 23, f.Exit1, "Exit"}};
  QStringList tipsShown;
  for (QWidget* w : f.findChildren<QWidget*>())
    if (!w->toolTip().isEmpty()) tipsShown << w->objectName() + QLatin1Char('=') + w->toolTip();
  EXPECT_EQ(tipsShown.size(), 4) << tipsShown.join(QLatin1Char(' ')).toStdString();
  for (const Button& b : buttons) {
    QWidget* w = s.child(b.name);
    ASSERT_TRUE(w);
    EXPECT_EQ(w->geometry().x(), b.x) << b.name;
    EXPECT_EQ(w->width(), b.width) << b.name;
    EXPECT_EQ(w->toolTip(), b.tip) << b.name;
    if (auto* button = qobject_cast<QToolButton*>(w)) {
      EXPECT_EQ(button->icon().cacheKey(), b.action->icon().cacheKey()) << b.name;
      EXPECT_EQ(button->toolButtonStyle(), Qt::ToolButtonIconOnly);
      EXPECT_TRUE(button->autoRaise());
    }
  }
  // A tool button runs its menu item's command and follows its enabled state.
  auto* saveButton = s.child<QToolButton>("ToolButton2");
  s.ui.take();
  ASSERT_TRUE(person::showAndActivate(f));
  person::click(saveButton);
  EXPECT_EQ(s.ui.take(), (std::vector<Shown>{{"message", "Load picture first"}}));
  f.Save1->setEnabled(false);
  EXPECT_FALSE(saveButton->isEnabled());

  // Tab order: the picture list, the user list, the tool bar.
  QStringList order;
  QWidget* w = f.ListBox1;
  do {
    if ((w->focusPolicy() & Qt::TabFocus) && w->window() == &f) order << w->objectName();
    w = w->nextInFocusChain();
  } while (w != f.ListBox1);
  EXPECT_EQ(order, (QStringList{"ListBox1", "UserBox", "ToolBar1"}));
}

TEST(MainFormLayout, TheClosedUserBoxIsFlatInTheColourOfItsList) {
  Start s;
  TMainForm& f = *s.form;
  ASSERT_TRUE(person::showAndActivate(f));
  const QImage box = f.UserBox->grab().toImage();
  if (const char* out = std::getenv("QA_SAVE_GRABS")) box.save(QString::fromLocal8Bit(out) + "/userbox.png");
  const QColor listColour = f.UserBox->view()->palette().color(QPalette::Base);
  EXPECT_EQ(listColour, QColor(202, 251, 255));
  // Between the user's name and the arrow, away from the frame.
  QStyleOptionComboBox option;
  option.initFrom(f.UserBox);
  const QRect arrow = f.UserBox->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, f.UserBox);
  const qreal ratio = box.devicePixelRatio();
  int checked = 0;
  for (int y = 4; y < f.UserBox->height() - 4; ++y)
    for (int x = f.UserBox->width() / 2; x < arrow.left() - 2; ++x, ++checked)
      ASSERT_EQ(box.pixelColor(QPoint(x, y) * ratio), listColour) << x << "," << y;
  EXPECT_GT(checked, 100);
}

// Run at 100 % and again at 125 % and 150 % (QT_SCALE_FACTOR, see CMakeLists.txt).
TEST(MainFormScale, BevelLinesShowAtTheScreensScale) {
  Start s;
  TMainForm& f = *s.form;
  ASSERT_TRUE(person::showAndActivate(f));
  const QImage window = f.grab().toImage();
  const qreal ratio = window.devicePixelRatio();
  if (const char* out = std::getenv("QA_SAVE_GRABS"))
    window.save(QString::fromLocal8Bit(out) + QStringLiteral("/window-%1.png").arg(ratio));
  const QColor shadow = f.Bevel1->palette().color(QPalette::Dark);
  const QColor highlight = f.Bevel1->palette().color(QPalette::Light);
  ASSERT_NE(shadow.rgb(), highlight.rgb());
  // Whether a line of `colour` crosses the device pixels around logical position
  // `at` (a column, or a row when `horizontal`), sampled at logical `along`.
  auto lineNear = [&](qreal at, int along, bool horizontal, const QColor& colour) {
    const int centre = static_cast<int>(at * ratio);
    for (int d = centre - 2; d <= centre + 2; ++d) {
      const QPoint p = horizontal ? QPoint(static_cast<int>(along * ratio), d) : QPoint(d, static_cast<int>(along * ratio));
      if (window.valid(p) && window.pixel(p) == colour.rgb()) return true;
    }
    return false;
  };
  const QRect box(f.Bevel1->mapTo(&f, QPoint()), f.Bevel1->size());
  const int midX = box.center().x(), midY = box.center().y();
  EXPECT_TRUE(lineNear(box.left(), midY, false, shadow)) << "left";
  EXPECT_TRUE(lineNear(box.top(), midX, true, shadow)) << "top";
  EXPECT_TRUE(lineNear(box.right() + 1, midY, false, highlight)) << "right";
  EXPECT_TRUE(lineNear(box.bottom() + 1, midX, true, highlight)) << "bottom";
  const QRect rule(f.Bevel3->mapTo(&f, QPoint()), f.Bevel3->size());
  for (int x : {rule.left() + 10, rule.center().x(), rule.right() - 10}) {
    EXPECT_TRUE(lineNear(rule.top(), x, true, shadow)) << "rule at " << x;
    EXPECT_TRUE(lineNear(rule.top() + 1, x, true, highlight)) << "rule at " << x;
  }
}
