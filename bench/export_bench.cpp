// The twelve-size PNG export of a 100-item icon: the whole export one file
// after the other and on two threads, and its two halves, rendering and PNG
// encoding, measured apart.

#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <vector>

#include "document/Colour.h"
#include "export/ExportSizes.h"
#include "export/PngExport.h"
#include "persist/DocumentFile.h"
#include "render/PngWriter.h"
#include "render/SceneRenderer.h"

namespace twk {
namespace {

// A stand-in with the same mix of kinds, methods and sizes, used when the
// benchmark file cannot be read.
TWKFILE BuiltIcon(int count) {
  TWKFILE doc;
  for (int i = 0; i < count; ++i) {
    TWKDATA item;
    item.Type = static_cast<std::uint8_t>(i % 4);
    item.DrawMethod = static_cast<std::uint8_t>((i / 4) % 3);
    item.DrawMethod2 = static_cast<std::uint8_t>(i % 3);
    item.DrawWidth = 0.25f + static_cast<float>(i % 8) * 0.25f;
    item.DrawAngle = static_cast<float>((i * 37) % 360);
    item.DrawRGBA = PackRGBA(i * 40, i * 90, i * 160, 128 + i % 128);
    item.Visible = 1;
    const float a = static_cast<float>(i % 16) + 0.5f;
    const float b = static_cast<float>((i * 7) % 16) + 0.5f;
    item.X1 = a, item.Y1 = b, item.X2 = b, item.Y2 = a;
    item.X3 = 15 - a, item.Y3 = b, item.X4 = 15.5f - b, item.Y4 = 15.5f - a;
    if (item.Type == kEllipse) item.X2 = 0, item.Y2 = 360;
    doc.CData.append(item);
  }
  return doc;
}

// The benchmark file is read-only, so it is read with shared access.
bool benchFileLoaded = false;

const TWKFILE& BenchIcon() {
  static const TWKFILE doc = [] {
    TWKFILE loaded;
    if (LoadDocumentFile(TARNWICK_BENCH_DATA_DIR "/icon-100.twk", loaded, LoadAccess::kShared) == 0) {
      benchFileLoaded = true;
      return loaded;
    }
    return BuiltIcon(100);
  }();
  return doc;
}

class OutFolder {
 public:
  OutFolder() : path_(std::filesystem::temp_directory_path() / "twk-export-bench") {
    std::filesystem::create_directories(path_);
  }
  ~OutFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  std::string Base() const { return (path_ / "icon").string(); }

 private:
  std::filesystem::path path_;
};

constexpr int kAllSizes = (1 << kExportSizeCount) - 1;

void BM_ExportAllSizesOneByOne(benchmark::State& state) {
  OutFolder out;
  const std::vector<ExportJob> jobs = ExportJobsForMask(out.Base(), kAllSizes);
  for (auto _ : state) {
    for (const ExportJob& job : jobs) benchmark::DoNotOptimize(ExportPngFile(BenchIcon(), job.path, job.scale));
  }
  state.counters["items"] = BenchIcon().CData.size();
  state.counters["from_file"] = benchFileLoaded ? 1 : 0;
}
BENCHMARK(BM_ExportAllSizesOneByOne)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ExportAllSizesTwoThreads(benchmark::State& state) {
  OutFolder out;
  const std::vector<ExportJob> jobs = ExportJobsForMask(out.Base(), kAllSizes);
  for (auto _ : state) {
    const std::vector<ExportJob> failed = ExportPngFiles(BenchIcon(), jobs);
    if (!failed.empty()) state.SkipWithError("an export file failed");
  }
}
BENCHMARK(BM_ExportAllSizesTwoThreads)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();

void BM_RenderAllSizes(benchmark::State& state) {
  for (auto _ : state) {
    for (float scale : kExportScales) {
      std::unique_ptr<Image> image = RenderDocument(BenchIcon(), scale, scale, RenderArea::kFull);
      benchmark::DoNotOptimize(image.get());
    }
  }
}
BENCHMARK(BM_RenderAllSizes)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_EncodeAllSizes(benchmark::State& state) {
  OutFolder out;
  std::vector<std::unique_ptr<Image>> images;
  for (float scale : kExportScales) images.push_back(RenderDocument(BenchIcon(), scale, scale, RenderArea::kFull));
  for (auto _ : state) {
    for (std::size_t i = 0; i < images.size(); ++i) {
      if (!images[i] || !SavePng(*images[i], ExportFileName(out.Base(), kExportScales[i]))) {
        state.SkipWithError("an image could not be encoded");
      }
    }
  }
}
BENCHMARK(BM_EncodeAllSizes)->Unit(benchmark::kMillisecond)->UseRealTime();

// Encoding alone, without the file system.
void BM_EncodeAllSizesInMemory(benchmark::State& state) {
  std::vector<std::unique_ptr<Image>> images;
  for (float scale : kExportScales) images.push_back(RenderDocument(BenchIcon(), scale, scale, RenderArea::kFull));
  for (auto _ : state) {
    for (const auto& image : images) {
      if (!image || EncodePng(*image).empty()) state.SkipWithError("an image could not be encoded");
    }
  }
}
BENCHMARK(BM_EncodeAllSizesInMemory)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace twk
