// Export All of 1000 pictures into an empty folder and into one that already
// holds 3000 pictures: the numbers are read from the folder once, so the full
// folder should cost little more than the empty one.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "tools/DatabaseBuilder.h"
#include "album/ExportAll.h"
#include "album/PictureDate.h"

namespace fs = std::filesystem;

namespace {

constexpr int kPictures = 1000;

struct Silent : album::ExportReport {
  void message(const std::string&) override {}
  void error(const std::string&) override {}
  void stop(const std::string&) override {}
};

fs::path scratch() {
  static const fs::path root = [] {
    // In memory where the system offers it: ext4 makes a file created after many
    // deletions slow to place, which would measure the benchmark's own clean-up.
    const fs::path base = fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    fs::path p = base / ("qa-bench-export-" + std::to_string(::getpid()));
    fs::create_directories(p / "album");
    for (int i = 0; i < kPictures; ++i) {
      const size_t pixels = i % 2 ? 89600 : 22400;
      const auto bytes = album::buildPictureDatabase("QuilloryPic" + std::to_string(i), std::vector<uint8_t>(pixels, 7));
      std::ofstream(p / "album" / ("QuilloryPic" + std::to_string(i) + ".pdb"), std::ios::binary)
          .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    return p;
  }();
  return root;
}

void exportInto(benchmark::State& state, int alreadyThere) {
  std::vector<std::string> databases;
  for (int i = 0; i < kPictures; ++i) databases.push_back((scratch() / "album" / ("QuilloryPic" + std::to_string(i) + ".pdb")).string());
  const fs::path out = scratch() / "out";
  Silent report;
  fs::remove_all(out);
  fs::create_directory(out);
  for (int n = 1; n <= alreadyThere; ++n) std::ofstream(out / ("Pic_" + std::to_string(n) + ".bmp"));
  for (auto _ : state) {
    album::exportPictures(databases, out.string() + "/", album::decodePictureAndInfo, report);
    state.PauseTiming();
    for (int n = alreadyThere + 1; n <= alreadyThere + kPictures; ++n) fs::remove(out / ("Pic_" + std::to_string(n) + ".bmp"));
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kPictures);
}

void BM_ExportIntoEmptyFolder(benchmark::State& state) { exportInto(state, 0); }
void BM_ExportIntoFolderOf3000(benchmark::State& state) { exportInto(state, 3000); }

}  // namespace

BENCHMARK(BM_ExportIntoEmptyFolder)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(BM_ExportIntoFolderOf3000)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  fs::remove_all(scratch());
  return 0;
}
