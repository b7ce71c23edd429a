#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QStyleOptionComboBox>
#include <QSet>
#include <QToolButton>
#include <algorithm>
#include <cstdlib>

#include "album/PictureTemplate.h"
#include "forms/StdCtrls.h"
#include "app/MainForm.h"
#include "support/PalmFolders.h"
#include "Person.h"
#include "RecordingUi.h"

using testsupport::PalmDesktop;
using testsupport::kSmallPixels;
using app::TMainForm;

namespace {

struct Start {
  PalmDesktop desktop;
  RecordingUi ui;
  forms::ComponentPtr<TMainForm> form;
  Start() {
    desktop.writeRegistry();
    desktop.setUsers({{"Anna", "AnnaF"}});
    desktop.addPicture("AnnaF", "QuilloryPicA.pdb", "QuilloryPicA", kSmallPixels, 1);
    form.reset(new TMainForm(ui, &users::GetUsersData, ui.aboutBox()));
  }
  template <class T = QWidget>
  T* child(const char* name) {
    T* found = form->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
};

}  // namespace

// The window as a person sees it on opening, one user with one picture listed,
// against the picture kept under tests/data: every place, colour, font, text,
// glyph and the logo at once. A mismatch saves what was shown beside the test
// program for review (and, when it is right, for copying over the reference).
TEST(MainFormLayout, TheOpenedWindowLooksAsItsReferencePicture) {
  Start s;
  TMainForm& f = *s.form;
  ASSERT_TRUE(person::showAndActivate(f));
  const QImage shown = f.grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QString referenceFile = QStringLiteral(QA_SOURCE_DIR "/tests/data/mainform.png");
  const QImage reference = QImage(referenceFile).convertToFormat(QImage::Format_RGB32);
  QRect differing;
  if (shown.size() == reference.size())
    for (int y = 0; y < shown.height(); ++y)
      for (int x = 0; x < shown.width(); ++x)
        if (shown.pixel(x, y) != reference.pixel(x, y)) differing |= QRect(x, y, 1, 1);
  const bool same = shown.size() == reference.size() && differing.isNull();
  if (!same) shown.save(QStringLiteral("mainform-shown.png"));
  EXPECT_TRUE(same) << "shown " << shown.width() << "x" << shown.height() << ", reference " << reference.width() << "x"
                    << reference.height() << ", differing in " << differing.x() << "," << differing.y() << " "
                    << differing.width() << "x" << differing.height() << "; saved as mainform-shown.png";
}

// What holds however the window is drawn: a window of one size, the controls
// inside it and apart, the picture area the size of the larger picture.
TEST(MainFormLayout, ControlsLieInsideTheWindowApartAndThePictureFitsItsFrame) {
  Start s;
  TMainForm& f = *s.form;
  EXPECT_EQ(f.windowTitle(), "Quillory Album");
  EXPECT_EQ(f.minimumSize(), f.maximumSize());
  EXPECT_FALSE(f.windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(f.windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_TRUE(f.windowFlags() & Qt::WindowSystemMenuHint);
  EXPECT_TRUE(f.windowIcon().availableSizes().contains(QSize(32, 32)));

  // Bevel3 is the rule under the tool bar, meant to run past both edges.
  const std::vector<QWidget*> apart = {f.ToolBar1, f.Bevel3, f.Bevel1, f.Label2, f.UserBox, f.Label3, f.ListBox1, f.Bevel2};
  for (QWidget* w : apart) {
    EXPECT_EQ(w->parentWidget(), f.client) << w->objectName().toStdString();
    if (w != f.Bevel3) {
      EXPECT_TRUE(f.client->rect().contains(w->geometry())) << w->objectName().toStdString();
    }
    for (QWidget* other : apart) {
      if (other == w) continue;
      EXPECT_FALSE(w->geometry().intersects(other->geometry()))
          << w->objectName().toStdString() << " and " << other->objectName().toStdString();
    }
  }
  const base::Bitmap large = album::blankPicture(album::PictureSize::Large);
  EXPECT_EQ(f.Image1->size(), QSize(large.width(), large.height()));
  EXPECT_TRUE(f.Bevel1->geometry().contains(f.Image1->geometry(), true));
  EXPECT_TRUE(f.Bevel2->geometry().contains(f.LogoImage->geometry(), true));
  EXPECT_TRUE(f.Bevel2->geometry().contains(f.Label1->geometry(), true));
  EXPECT_FALSE(f.UserBox->isEditable());
  EXPECT_EQ(f.ListBox1->selectionMode(), QAbstractItemView::SingleSelection);
  EXPECT_EQ(f.UserBox->view()->sizeHintForRow(0), f.ListBox1->sizeHintForRow(0)) << "the drop-down's rows as the list's";
}

TEST(MainFormLayout, MenuToolBarTabOrderAndTooltips) {
  Start s;
  TMainForm& f = *s.form;
  const QList<QAction*> menus = f.menuBar()->actions();
  ASSERT_EQ(menus.size(), 3);
  EXPECT_EQ(menus[0]->text(), "Picture");
  EXPECT_EQ(menus[1]->text(), "Help");
  EXPECT_EQ(menus[2]->text(), "Album");
  // Each item's caption, and whether it shows the same glyph as its tool button.
  struct Item { const char* caption; QAction* action; };
  const std::vector<Item> picture = {{"Open from PDB", f.Open1}, {"Save", f.Save1}, {"Save As...", f.SaveAs1}, {"", nullptr},
                                     {"Export All", f.ExportAll1}, {"", nullptr}, {"Exit", f.Exit1}};
  const std::vector<Item> help = {{"Instructions", f.Instructions1}, {"", nullptr}, {"About", f.About1}};
  QSet<qint64> glyphs;
  for (const auto& [menu, items] : {std::pair{f.Picture1, picture}, std::pair{f.Help1, help}}) {
    const QList<QAction*> actions = menu->actions();
    ASSERT_EQ(actions.size(), static_cast<qsizetype>(items.size()));
    for (size_t i = 0; i < items.size(); ++i) {
      QAction* a = actions[static_cast<qsizetype>(i)];
      EXPECT_EQ(a->isSeparator(), items[i].action == nullptr) << items[i].caption;
      if (a->isSeparator()) continue;
      EXPECT_EQ(a, items[i].action);
      EXPECT_EQ(a->text(), items[i].caption);
      EXPECT_TRUE(a->shortcut().isEmpty());
      EXPECT_FALSE(a->icon().isNull()) << items[i].caption;
      glyphs.insert(a->icon().cacheKey());
    }
  }
  EXPECT_EQ(glyphs.size(), 7) << "every item its own glyph";

  // The tool bar's buttons, left to right: its menu item (none for a gap) and its tooltip.
  struct Button { QAction* action; const char* tip; };
  const std::vector<Button> buttons = {{f.Open1, "Open From PDB"}, {f.Save1, "Save"}, {f.SaveAs1, "Save As..."},
                                       {nullptr, ""},              {f.ExportAll1, ""}, {nullptr, ""},
                                       {f.Instructions1, ""},      {nullptr, ""},      {f.Exit1, "Exit"}};
  std::vector<QWidget*> row;
  for (QWidget* w : f.ToolBar1->findChildren<QWidget*>())
    if (w->objectName().startsWith(QLatin1String("ToolButton"))) row.push_back(w);
  std::sort(row.begin(), row.end(), [](QWidget* a, QWidget* b) { return a->x() < b->x(); });
  ASSERT_EQ(row.size(), buttons.size());
  QStringList tipsShown;
  for (QWidget* w : f.findChildren<QWidget*>())
    if (!w->toolTip().isEmpty()) tipsShown << w->objectName() + QLatin1Char('=') + w->toolTip();
  EXPECT_EQ(tipsShown.size(), 4) << tipsShown.join(QLatin1Char(' ')).toStdString();
  for (size_t i = 0; i < buttons.size(); ++i) {
    EXPECT_EQ(row[i]->toolTip(), buttons[i].tip) << i;
    auto* button = qobject_cast<QToolButton*>(row[i]);
    EXPECT_EQ(button != nullptr, buttons[i].action != nullptr) << i;
    if (button && buttons[i].action) {
      EXPECT_EQ(button->icon().cacheKey(), buttons[i].action->icon().cacheKey()) << i;
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
