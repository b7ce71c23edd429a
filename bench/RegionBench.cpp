// Mask to region against Qt's own way to the same region: a QBitmap mask made
// from the picture, turned into a QRegion. Our side is timed with and without
// making the QRegion from the region data.
#include <benchmark/benchmark.h>

#include <QBitmap>
#include <QGuiApplication>
#include <QImage>
#include <cstdlib>
#include <map>
#include <tuple>

#include "forms/BitmapImage_qt.h"
#include "forms/WaitCursor.h"
#include "forms/core/Colors.h"
#include "platform/FileStream.h"
#include "skin/MaskRegion.h"
#include "skin/VsMask.h"
#include "tools/samples/RegionPictures.h"

using namespace samples;

namespace {

enum Kind { kPhoto, kNoise, kFlat };
enum Depth { k8Bit, k24Bit };

const Picture& picture(Kind kind, Depth depth, int side) {
  static std::map<std::tuple<Kind, Depth, int>, Picture> cache;
  const auto key = std::make_tuple(kind, depth, side);
  auto it = cache.find(key);
  if (it != cache.end()) return it->second;
  // 200 stands for the about box picture of 200 x 220.
  const int w = side, h = side == 200 ? 220 : side;
  Picture p = kind == kPhoto ? photo8(w, h, 1) : kind == kNoise ? noise8(w, h, 4, 2) : flatWithHoles(w, h);
  if (depth == k24Bit) p = asRgb(p);
  return cache.emplace(key, std::move(p)).first->second;
}

// 32 bits a pixel, where Qt's mask from a colour takes its fast path.
QImage toImage(const base::Bitmap& bm) { return forms::toQImage(bm).convertToFormat(QImage::Format_RGB32); }

// The mask colour as Qt writes it. With Qt::MaskInColor, QBitmap::fromImage and
// QRegion(QBitmap) give the pixels not of this colour; the set-up check below
// confirms that the region is the same as ours.
QRgb maskRgb(uint32_t c) { return qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

// The scan under the wait cursor, as the skin control runs it.
void scanAsTheSkinDoes(const Picture& p, skin::RegionData& data) {
  const forms::WaitCursor hourglass;
  skin::BuildMaskRegion(0, 0, p.bitmap, p.mask, data);
}

void setCounters(benchmark::State& state, const Picture& p, size_t rects) {
  state.counters["rects"] = static_cast<double>(rects);
  state.SetItemsProcessed(state.iterations() * p.bitmap.width() * p.bitmap.height());
}

// The scan alone.
void timeScan(benchmark::State& state, const Picture& p) {
  size_t rects = 0;
  for (auto _ : state) {
    skin::RegionData data;
    skin::BuildMaskRegion(0, 0, p.bitmap, p.mask, data);
    rects = static_cast<size_t>(data.RectCount());
    benchmark::DoNotOptimize(data.Data());
  }
  setCounters(state, p, rects);
}

// The scan as the skin control runs it, with the region made from its data.
void timeScanAndQRegion(benchmark::State& state, const Picture& p) {
  size_t rects = 0;
  for (auto _ : state) {
    skin::RegionData data;
    scanAsTheSkinDoes(p, data);
    const QRegion region = skin::CreateRegion(data);
    rects = static_cast<size_t>(region.rectCount());
    benchmark::DoNotOptimize(region.begin());
  }
  setCounters(state, p, rects);
}

void OursDataOnly(benchmark::State& state, Kind kind, Depth depth) {
  timeScan(state, picture(kind, depth, static_cast<int>(state.range(0))));
}

void OursWithQRegion(benchmark::State& state, Kind kind, Depth depth) {
  timeScanAndQRegion(state, picture(kind, depth, static_cast<int>(state.range(0))));
}

void QRegionFromData(benchmark::State& state, Kind kind, Depth depth) {
  const Picture& p = picture(kind, depth, static_cast<int>(state.range(0)));
  skin::RegionData data;
  skin::BuildMaskRegion(0, 0, p.bitmap, p.mask, data);
  size_t rects = 0;
  for (auto _ : state) {
    const QRegion region = skin::CreateRegion(data);
    rects = static_cast<size_t>(region.rectCount());
    benchmark::DoNotOptimize(region.begin());
  }
  setCounters(state, p, rects);
}

void QtBitmapMask(benchmark::State& state, Kind kind) {
  const Picture& p = picture(kind, k8Bit, static_cast<int>(state.range(0)));
  const QImage image = toImage(p.bitmap);
  {
    // Both ways must give the same region, or the race means nothing.
    skin::RegionData data;
    skin::BuildMaskRegion(0, 0, p.bitmap, p.mask, data);
    const QRegion qt(QBitmap::fromImage(image.createMaskFromColor(maskRgb(p.mask), Qt::MaskInColor)));
    if (!qt.xored(skin::CreateRegion(data)).isEmpty()) {
      state.SkipWithError("Qt's region differs from ours");
      return;
    }
  }
  size_t rects = 0;
  for (auto _ : state) {
    const QRegion region(QBitmap::fromImage(image.createMaskFromColor(maskRgb(p.mask), Qt::MaskInColor)));
    rects = static_cast<size_t>(region.rectCount());
    benchmark::DoNotOptimize(region.begin());
  }
  setCounters(state, p, rects);
}

void sizes(benchmark::internal::Benchmark* b) { b->Arg(200)->Arg(1024)->Arg(4096)->Unit(benchmark::kMicrosecond); }

#define REGION_BENCH(kindName, kind)                                                            \
  BENCHMARK_CAPTURE(OursDataOnly, kindName##_8bit, kind, k8Bit)->Apply(sizes);                 \
  BENCHMARK_CAPTURE(OursDataOnly, kindName##_24bit, kind, k24Bit)->Apply(sizes);               \
  BENCHMARK_CAPTURE(OursWithQRegion, kindName##_8bit, kind, k8Bit)->Apply(sizes);              \
  BENCHMARK_CAPTURE(OursWithQRegion, kindName##_24bit, kind, k24Bit)->Apply(sizes);            \
  BENCHMARK_CAPTURE(QRegionFromData, kindName##_8bit, kind, k8Bit)->Apply(sizes);              \
  BENCHMARK_CAPTURE(QtBitmapMask, kindName##_rgb32, kind)->Apply(sizes);

REGION_BENCH(photo, kPhoto)
REGION_BENCH(noise, kNoise)
REGION_BENCH(flat, kFlat)

// The one picture the program scans: the about box's, with its mask colour white.
const Picture& aboutPicture() {
  static const Picture about = [] {
    Picture p{"about box", base::Bitmap(), forms::clWhite};
    platform::FileStream in(QA_ABOUT_PICTURE, platform::FileMode::OpenRead);
    p.bitmap.loadFromStream(in);
    return p;
  }();
  return about;
}

void AboutBoxDataOnly(benchmark::State& state) { timeScan(state, aboutPicture()); }
void AboutBoxWithQRegion(benchmark::State& state) { timeScanAndQRegion(state, aboutPicture()); }

BENCHMARK(AboutBoxDataOnly)->Unit(benchmark::kMicrosecond);
BENCHMARK(AboutBoxWithQRegion)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
