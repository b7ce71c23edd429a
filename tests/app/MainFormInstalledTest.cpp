// The window of an installed program (bin/ beside share/quillory-album/, no
// share/doc): its dialogs, exports and help page stay out of bin/.
#include <gtest/gtest.h>

#include <QListWidget>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

#include "app/Controls.h"
#include "app/MainForm.h"
#include "PalmDesktop.h"
#include "Person.h"
#include "RecordingUi.h"

using app::TMainForm;
namespace fs = std::filesystem;

namespace {

// An installed program's folders and a home folder of the test's own, with its pictures folder.
struct Installed {
  testsupport::TempDir root;
  const std::string bin = root.path("usr/bin") + "/";
  const std::string data = root.path("usr/share/quillory-album") + "/";
  const std::string home = root.path("home");
  const std::string pictures = home + "/Pictures";
  const std::string oldHome = std::getenv("HOME") ? std::getenv("HOME") : "";

  Installed() {
    fs::create_directories(bin);
    fs::create_directories(pictures);
    fs::create_directories(data);
    testsupport::writeFile(data + "QuilloryAlbum.htm", "<html></html>");
    ::setenv("HOME", home.c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (home + "/.config").c_str(), 1);
  }
  ~Installed() {
    ::setenv("HOME", oldHome.c_str(), 1);
    ::unsetenv("XDG_CONFIG_HOME");
  }
};

}  // namespace

TEST(MainFormInstalled, DialogsStartInThePicturesThenTheLastFolderAndExportsAndHelpStayOutOfBin) {
  Installed installed;
  PalmDesktop desktop;
  const std::string user = "qa-installed-" + std::to_string(::getpid());
  desktop.writeRegistry();
  desktop.setUsers({{user, "U"}});
  const std::string picture = desktop.addPicture("U", "QuilloryPicSun.pdb", "QuilloryPicSun", 22400, 1);
  testsupport::TempDir opened, saved;
  const std::string before = fs::current_path().string();
  RecordingUi ui;
  {
    const forms::ComponentPtr<TMainForm> f(new TMainForm(ui, &users::GetUsersData, ui.aboutBox()));
    f->setProgramFolder(installed.bin);
    ASSERT_TRUE(person::showAndActivate(*f));
    ASSERT_TRUE(person::clickEntry(*f, QStringLiteral("QuilloryPicSun.pdb")));

    // Each dialog, cancelled or confirmed, and where the next one starts.
    struct Step {
      const char* toolButton;
      std::string answer;       // empty: cancelled
      std::string startFolder;  // where the dialog opened
    };
    fs::copy_file(picture, opened.path("copy.pdb"));
    const std::vector<Step> steps = {
        {"ToolButton1", "", installed.pictures},
        {"ToolButton3", "", installed.pictures},
        {"ToolButton1", opened.path("copy.pdb"), installed.pictures},
        {"ToolButton3", "", opened.path()},
        {"ToolButton3", saved.path("mine.bmp"), opened.path()},
        {"ToolButton1", "", saved.path()},
    };
    for (const Step& step : steps) {
      SCOPED_TRACE(std::string(step.toolButton) + " " + step.answer);
      ui.fileAnswers.push_back(step.answer.empty() ? std::nullopt : std::optional(QString::fromStdString(step.answer)));
      const size_t dialogs = ui.openSetups.size() + ui.saveSetups.size();
      person::clickToolButton(*f, step.toolButton);
      ASSERT_EQ(ui.openSetups.size() + ui.saveSetups.size(), dialogs + 1);
      const auto& setups = std::string(step.toolButton) == "ToolButton1" ? ui.openSetups : ui.saveSetups;
      EXPECT_EQ(setups.back().initialFolder.toStdString(), step.startFolder);
    }
    EXPECT_EQ(saved.entries(), std::vector<std::string>{"mine.bmp"});

    person::clickToolButton(*f, "ToolButton7");
    const std::string album = installed.pictures + "/Quillory Album/" + user + "/";
    EXPECT_EQ(ui.take(), (std::vector<Shown>{{"message", "The pictures was successfully exported to " + album}}));
    EXPECT_EQ(std::distance(fs::directory_iterator(album), fs::directory_iterator()), 1);
    EXPECT_TRUE(fs::is_regular_file(album + "Pic_1.bmp"));

    person::clickToolButton(*f, "ToolButton6");
    ASSERT_EQ(ui.documents.size(), 1u);
    EXPECT_EQ(ui.documents[0].first.toStdString(), installed.data);
    EXPECT_TRUE(fs::is_empty(installed.bin));
  }
  fs::current_path(before);
}
