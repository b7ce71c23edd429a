// From a click on a picture list entry (a real mouse event through the window
// system layer) to the picture painted, in the main window under the offscreen
// platform. The offscreen platform shows no paint events for later updates, so
// the round ends with the picture's area rendered as the screen would show it. Each round clicks the other of two entries of one size: arg 0 the
// 160 x 140 pictures, arg 1 the 320 x 280 ones. Decode in bench_picture decodes
// the same databases alone. Run with --benchmark_repetitions=N and read "min".
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QListWidget>
#include <QTest>
#include <QPixmap>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "forms/StdCtrls.h"
#include "app/MainForm.h"
#include "tools/demo-album/DemoAlbum.h"

namespace {

namespace fs = std::filesystem;

// Message boxes would stop the run: their texts go to standard error instead.
class PrintingUi : public forms::UserInterface {
 public:
  void showMessage(const std::string& text) override { print(text); }
  void showError(const std::string& text) override { print(text); }
  void showStop(const std::string& text) override { print(text); }
  std::optional<std::string> openFile(const forms::FileDialogSetup&) override { return std::nullopt; }
  std::optional<std::string> saveFile(const forms::FileDialogSetup&) override { return std::nullopt; }
  std::optional<std::string> chooseFolder(const forms::FileDialogSetup&) override { return std::nullopt; }
  forms::OpenResult openDocument(const std::string&, const std::string&) override { return forms::OpenResult::Failed; }

 private:
  static void print(const std::string& text) { std::fprintf(stderr, "%s\n", text.c_str()); }
};

const char* const kEntries[2][2] = {{"QuilloryPicHouse.pdb", "QuilloryPicSun.pdb"},
                                    {"QuilloryPicHouseLarge.pdb", "QuilloryPicSunLarge.pdb"}};

// One user whose backup folder holds the four databases, and the window showing them.
struct Window {
  fs::path folder = fs::temp_directory_path() / "qa-bench-click";
  PrintingUi ui;
  forms::ComponentPtr<app::TMainForm> form;

  Window() {
    fs::create_directories(folder / "Backup");
    for (const demo::DemoDatabase& db : demo::demoDatabases()) {
      for (const auto& size : kEntries)
        if (std::find(std::begin(size), std::end(size), db.fileName) != std::end(size)) {
          std::ofstream out(folder / "Backup" / db.fileName, std::ios::binary);
          out.write(reinterpret_cast<const char*>(db.bytes.data()), static_cast<std::streamsize>(db.bytes.size()));
        }
    }
    const std::string dir = folder.string() + "/";
    form.reset(new app::TMainForm(
        ui,
        [dir] {
          users::UsersData data;
          data.userNames[0] = "Bench";
          data.userDirs[0] = dir;
          data.items = {"Bench"};
          data.selectFirst = true;
          return data;
        },
        [](bool) {}));
    form->show();
    if (!QTest::qWaitForWindowExposed(form.get())) std::abort();
  }
  ~Window() {
    form.reset();
    std::error_code ignored;
    fs::remove_all(folder, ignored);
  }

  void clickAndWaitForPaint(const char* entry) {
    QListWidget* list = form->ListBox1;
    const QRect item = list->visualItemRect(list->findItems(QString::fromLatin1(entry), Qt::MatchExactly).first());
    QWindow* window = form->windowHandle();
    const QPoint at = window->mapFromGlobal(list->viewport()->mapToGlobal(item.center()));
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, at);
    // The picture's area painted as the screen shows it: the frame and the picture.
    const QPixmap painted = form->client->grab(form->Bevel1->geometry());
    benchmark::DoNotOptimize(painted.cacheKey());
  }
};

Window& window() {
  static Window instance;
  return instance;
}

void ClickToPaint(benchmark::State& state) {
  const auto& entries = kEntries[state.range(0)];
  int round = 0;
  for (auto _ : state) window().clickAndWaitForPaint(entries[round++ % 2]);
}

// The window's own share of a round: LoadPicture on the entry's file and the
// same painting, without the mouse event, the selection and the list's repaint.
void LoadToPaint(benchmark::State& state) {
  const auto& entries = kEntries[state.range(0)];
  const std::string folder = (window().folder / "Backup").string() + "/";
  int round = 0;
  for (auto _ : state) {
    window().form->LoadPicture(folder + entries[round++ % 2]);
    const QPixmap painted = window().form->client->grab(window().form->Bevel1->geometry());
    benchmark::DoNotOptimize(painted.cacheKey());
  }
}

double smallest(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

}  // namespace

BENCHMARK(ClickToPaint)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->ComputeStatistics("min", smallest);
BENCHMARK(LoadToPaint)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->ComputeStatistics("min", smallest);

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
