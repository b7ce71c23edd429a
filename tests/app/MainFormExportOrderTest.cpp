// The window's picture list and Export All number the pictures as qalbum export does.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QListWidget>
#include <filesystem>

#include "support/PalmFolders.h"
#include "Person.h"
#include "RecordingUi.h"
#include "forms/StdCtrls.h"
#include "app/MainForm.h"
#include "support/Qalbum.h"

using testsupport::PalmDesktop;
using testsupport::kSmallPixels;

TEST(MainFormExportOrder, TheListAndExportAllFollowTheNameOrderQalbumExportsIn) {
  PalmDesktop desktop;
  const std::string user = "qa-order-" + std::to_string(::getpid());
  desktop.writeRegistry();
  desktop.setUsers({{user, "U"}});
  const std::vector<std::string> inOrder = {"QuilloryPicapple.pdb", "QuilloryPicBoat.pdb", "quillorypicduck.pdb",
                                            "QuilloryPic_x.pdb"};
  for (size_t i = 0; i < inOrder.size(); ++i)
    desktop.addPicture("U", inOrder[i], "QuilloryPic", kSmallPixels, static_cast<uint8_t>(i));
  RecordingUi ui;
  const forms::ComponentPtr<app::TMainForm> f(new app::TMainForm(ui, &users::GetUsersData, ui.aboutBox()));
  ASSERT_TRUE(person::showAndActivate(*f));
  std::vector<std::string> listed;
  for (int i = 0; i < f->ListBox1->count(); ++i) listed.push_back(f->ListBox1->item(i)->text().toStdString());
  EXPECT_EQ(listed, inOrder);

  const std::string album = platform::programFolder() + user + platform::kPathSeparator;
  struct Cleanup {
    std::string path;
    ~Cleanup() { std::filesystem::remove_all(path); }
  } cleanup{album};
  person::clickToolButton(*f, "ToolButton7");
  testsupport::TempDir scratch;
  ASSERT_EQ(testsupport::qalbum(scratch, {"export", desktop.backup("U"), scratch.path("out")}).status, 0);
  for (size_t n = 1; n <= inOrder.size(); ++n) {
    const std::string file = "Pic_" + std::to_string(n) + ".bmp";
    EXPECT_TRUE(testsupport::TempDir::read(album + file) == testsupport::TempDir::read(scratch.path("out/" + file)));
  }
}
