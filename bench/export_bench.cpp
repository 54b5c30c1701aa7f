// The twelve-size PNG export of a 100-item icon: the whole export one file
// after the other and on two threads, and its two halves, rendering and PNG
// encoding, measured apart.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>
#include <vector>

#include "BenchDocuments.h"
#include "export/ExportSizes.h"
#include "export/PngExport.h"
#include "render/KeptImage.h"
#include "render/PngWriter.h"
#include "render/SceneRenderer.h"
#include "tests/render/HostileDrawings.h"

namespace twk {
namespace {

const TWKFILE& BenchIcon() { return bench::IconDocument(100); }

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
  const std::vector<ExportJob> jobs = ExportJobsFor(out.Base(), SizeSet::FromListMask(kAllSizes));
  for (auto _ : state) {
    for (const ExportJob& job : jobs) benchmark::DoNotOptimize(WritePngJobs(BenchIcon(), {job}, nullptr));
  }
  state.counters["items"] = BenchIcon().CData.size();
  state.counters["from_file"] = bench::IconFromFile(100) ? 1 : 0;
}
BENCHMARK(BM_ExportAllSizesOneByOne)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();

void BM_ExportAllSizesTwoThreads(benchmark::State& state) {
  OutFolder out;
  const std::vector<ExportJob> jobs = ExportJobsFor(out.Base(), SizeSet::FromListMask(kAllSizes));
  for (auto _ : state) {
    const std::vector<JobResult> results = WritePngJobs(BenchIcon(), jobs, nullptr);
    if (std::count(results.begin(), results.end(), JobResult::kWritten) != std::ptrdiff_t(jobs.size()))
      state.SkipWithError("an export file failed");
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
BENCHMARK(BM_RenderAllSizes)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();

// The same pictures as one export thread paints them: one pass each, on the
// calling thread alone, into memory kept from one size to the next.
void BM_RenderAllSizesOneThreadKept(benchmark::State& state) {
  KeptImage kept;
  for (auto _ : state) {
    for (float scale : kExportScales) {
      benchmark::DoNotOptimize(RenderDocumentInto(kept, BenchIcon(), scale, scale, RenderArea::kFull));
    }
  }
}
BENCHMARK(BM_RenderAllSizesOneThreadKept)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();

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
BENCHMARK(BM_EncodeAllSizes)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();

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
BENCHMARK(BM_EncodeAllSizesInMemory)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();

}  // namespace
}  // namespace twk

namespace twk {
namespace {

// The thousand dotted arcs whose dots lie almost all outside the picture,
// rendered at the twelve export sizes (target: under a second in all).
void BM_DottedArcsAtTwelveSizes(benchmark::State& state) {
  const TWKFILE doc = test::DottedArcs(1000);
  for (auto _ : state) {
    for (const float scale : kExportScales) {
      auto image = RenderDocument(doc, scale, scale, RenderArea::kFull);
      benchmark::DoNotOptimize(image.get());
    }
  }
}
BENCHMARK(BM_DottedArcsAtTwelveSizes)->Iterations(3)->MeasureProcessCPUTime()->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace twk
