#include <gtest/gtest.h>

#include "forms/Dialogs.h"

using namespace forms;

TEST(Dialogs, StopTextsEndInAFullStop) {
  EXPECT_EQ(withFullStop("Stream read error"), "Stream read error.");
  EXPECT_EQ(withFullStop("Cannot open file \"x\". Access is denied."), "Cannot open file \"x\". Access is denied.");
  EXPECT_EQ(withFullStop("Invalid data type for 'Path'"), "Invalid data type for 'Path'.");
  EXPECT_EQ(withFullStop(""), "");
}

TEST(Dialogs, FiltersAndInitialFoldersTranslateForQt) {
  EXPECT_EQ(qtNameFilters("Bmp Files (*.bmp)|*.BMP"), QStringList{"Bmp Files (*.bmp *.BMP)"});
  EXPECT_EQ(qtNameFilters("Pictures|*.bmp;*.png|All|*.*"), (QStringList{"Pictures (*.bmp *.png)", "All (*.*)"}));
  EXPECT_TRUE(qtNameFilters("").isEmpty());
  EXPECT_EQ(dialogFolder("C:\\Program Files\\Quillory\\"), "C:\\Program Files\\Quillory");
  EXPECT_EQ(dialogFolder("C:\\"), "C:\\");
  EXPECT_EQ(dialogFolder("/opt/quillory/"), "/opt/quillory");
  EXPECT_EQ(dialogFolder("/"), "/");
}
