#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QListView>
#include <QTimer>

#include "Input.h"
#include "forms/Dialogs.h"
#include "forms/Dialogs_qt.h"
#include "support/TempDir.h"

using namespace forms;

TEST(Dialogs, StopTextsEndInAFullStop) {
  EXPECT_EQ(withFullStop("Stream read error"), "Stream read error.");
  EXPECT_EQ(withFullStop("Cannot open file \"x\". Access is denied."), "Cannot open file \"x\". Access is denied.");
  EXPECT_EQ(withFullStop("Invalid data type for 'Path'"), "Invalid data type for 'Path'.");
  EXPECT_EQ(withFullStop(""), "");
}

TEST(Dialogs, FiltersAndInitialFoldersTranslateForQt) {
  EXPECT_EQ(qtNameFilters("Bmp Files (*.bmp)|*.BMP"), QStringList{"Bmp Files (*.bmp)"});
  EXPECT_EQ(qtNameFilters("Bitmaps (*.bmp)|*.BMP;*.dib"), QStringList{"Bitmaps (*.bmp *.dib)"});
  EXPECT_EQ(qtNameFilters("Pictures|*.bmp;*.png|All|*.*"), (QStringList{"Pictures (*.bmp *.png)", "All (*.*)"}));
  EXPECT_TRUE(qtNameFilters("").isEmpty());
  EXPECT_EQ(dialogFolder("C:\\Program Files\\Quillory\\"), "C:\\Program Files\\Quillory");
  EXPECT_EQ(dialogFolder("C:\\"), "C:\\");
  EXPECT_EQ(dialogFolder("/opt/quillory/"), "/opt/quillory");
  EXPECT_EQ(dialogFolder("/"), "/");
}

// The real save dialog shows the filter text as given and lists bitmaps named in either case.
TEST(Dialogs, TheSaveDialogShowsItsFilterTextAndListsBothCases) {
  testsupport::TempDir dir;
  for (const char* name : {"lower.bmp", "UPPER.BMP", "other.txt"}) dir.write(name, {1});
  QStringList filters, listed;
  QString title;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    title = dialog->windowTitle();
    filters = dialog->nameFilters();
    auto* view = dialog->findChild<QListView*>(QStringLiteral("listView"));
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return view->model()->rowCount(view->rootIndex()) >= 2; }, 5000));
    for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row)
      listed << view->model()->index(row, 0, view->rootIndex()).data().toString();
    listed.sort();
    person::type(Qt::Key_Escape);
  });
  SystemUserInterface ui("Quillory Album");
  const FileDialogSetup setup{dir.path(), "Save Bitmap As...", "Bmp Files (*.bmp)|*.BMP", "bmp", "picture.bmp"};
  EXPECT_EQ(ui.saveFile(setup), std::nullopt);
  EXPECT_EQ(title, "Save Bitmap As...");
  EXPECT_EQ(filters, QStringList{"Bmp Files (*.bmp)"});
  EXPECT_EQ(listed, (QStringList{"UPPER.BMP", "lower.bmp"}));
}
