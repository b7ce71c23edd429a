// Decoding a picture database and writing it as a BMP file, per picture, next
// to the same file work without decoding: reading the database file and writing
// as many bytes as the BMP file to a new file.
//
// Arg 0 is the 160 x 140 picture, arg 1 the 320 x 280 one. Run with
// --benchmark_repetitions=N: the "min" rows are the least disturbed figures on
// a busy machine.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "album/PictureDatabase.h"
#include "album/PictureWriter.h"
#include "platform/FileStream.h"
#include "platform/FileWriter.h"
#include "tools/demo-album/DemoAlbum.h"

namespace {

struct Album {
  std::filesystem::path folder;
  std::string small, large;

  Album() {
    folder = std::filesystem::temp_directory_path() / "qa-bench-picture";
    std::filesystem::create_directories(folder);
    demo::writeDemoAlbum(folder.string());
    small = (folder / "QuilloryPicHouse.pdb").string();
    large = (folder / "QuilloryPicHouseLarge.pdb").string();
  }
  ~Album() {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }
  std::string database(bool isLarge) const { return isLarge ? large : small; }
  std::string output(const char* name) const { return (folder / name).string(); }
};

const Album& demoAlbum() {
  static const Album instance;
  return instance;
}

bool isLarge(const benchmark::State& state) { return state.range(0) == 1; }

// Decoding alone, into one picture kept for the whole run: the work a click on a
// list entry cannot avoid (bench_click measures the click up to the painted picture).
void Decode(benchmark::State& state) {
  const std::string in = demoAlbum().database(isLarge(state));
  base::Bitmap picture;
  for (auto _ : state) {
    album::decodePicture(in, picture);
    benchmark::DoNotOptimize(picture.scanLine(0));
  }
}

// Decode and write over the file the previous round wrote, as a repeated Save does.
void DecodeAndReplace(benchmark::State& state) {
  const std::string in = demoAlbum().database(isLarge(state));
  const std::string out = demoAlbum().output("replaced.bmp");
  base::Bitmap picture;
  for (auto _ : state) {
    album::decodePicture(in, picture);
    album::writePicture(picture, out);
  }
}

// Decode and write a file that does not exist yet, as the limit below does.
void DecodeAndWriteNew(benchmark::State& state) {
  const std::string in = demoAlbum().database(isLarge(state));
  const std::string out = demoAlbum().output("new.bmp");
  base::Bitmap picture;  // one scratch picture for the whole run, as Export All keeps one
  for (auto _ : state) {
    std::filesystem::remove(out);
    album::decodePicture(in, picture);
    album::writePicture(picture, out);
  }
}

// The limit: read the database file, write as many bytes as the BMP file to a
// new file through the writer (temporary file, fsync, then its name).
void FileWorkOnly(benchmark::State& state) {
  const std::string in = demoAlbum().database(isLarge(state));
  const std::string out = demoAlbum().output("copied.bmp");
  const std::vector<uint8_t> image(
      album::templateFileSize(isLarge(state) ? album::PictureSize::Large : album::PictureSize::Small));
  std::vector<uint8_t> buffer;
  for (auto _ : state) {
    std::filesystem::remove(out);
    platform::FileStream source(in, platform::FileMode::OpenRead);
    buffer.resize(static_cast<size_t>(source.size()));
    source.readBuffer(buffer.data(), buffer.size());
    platform::FileWriter target(out, platform::FileWriter::Purpose::NewName);
    target.write([&image](base::Stream& s) { s.writeBuffer(image.data(), image.size()); });
    target.takeNewName(out);
    benchmark::DoNotOptimize(buffer.data());
  }
}

double smallest(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

}  // namespace

BENCHMARK(Decode)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->ComputeStatistics("min", smallest);
BENCHMARK(DecodeAndWriteNew)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->ComputeStatistics("min", smallest);
BENCHMARK(FileWorkOnly)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->ComputeStatistics("min", smallest);
BENCHMARK(DecodeAndReplace)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->ComputeStatistics("min", smallest);

BENCHMARK_MAIN();
