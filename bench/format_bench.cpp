// One export of the 100-item icon in each format, as tarnwick-cli writes it
// by default: PNG (twelve files), SVG (16 pixels), ICO (16 to 256) and ICNS
// (16 to 1024). The "bytes" counter is the size of what was written.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "BenchDocuments.h"
#include "export/ExportFormat.h"
#include "export/ExportSizes.h"
#include "export/IconExport.h"
#include "export/PngExport.h"
#include "export/SvgDocument.h"

namespace twk {
namespace {

constexpr int kAllSizes = (1 << kExportSizeCount) - 1;

std::filesystem::path OutFolder() {
  const auto path = std::filesystem::temp_directory_path() / "twk-format-bench";
  std::filesystem::remove_all(path);
  std::filesystem::create_directories(path);
  return path;
}

double FolderBytes(const std::filesystem::path& folder) {
  double bytes = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) bytes += double(entry.file_size());
  return bytes;
}

void Report(benchmark::State& state, const std::filesystem::path& folder) {
  state.counters["bytes"] = FolderBytes(folder);
  state.counters["from_file"] = bench::IconFromFile(100) ? 1 : 0;
  std::filesystem::remove_all(folder);
}

void BM_Format_Png(benchmark::State& state) {
  const auto folder = OutFolder();
  const auto jobs = ExportJobsFor((folder / "icon").string(), SizeSet::FromListMask(kAllSizes));
  for (auto _ : state) {
    const std::vector<JobResult> results = WritePngJobs(bench::IconDocument(100), jobs, nullptr);
    if (std::count(results.begin(), results.end(), JobResult::kWritten) != std::ptrdiff_t(jobs.size()))
      state.SkipWithError("a PNG file failed");
  }
  Report(state, folder);
}
BENCHMARK(BM_Format_Png)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Format_Svg(benchmark::State& state) {
  const auto folder = OutFolder();
  for (auto _ : state) {
    if (WriteSvgFile(bench::IconDocument(100), (folder / "icon.svg").string(), 16) != SvgWrite::kWritten)
      state.SkipWithError("the SVG file failed");
  }
  Report(state, folder);
}
BENCHMARK(BM_Format_Svg)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Format_Icon(benchmark::State& state) {
  const auto format = static_cast<ExportFormat>(state.range(0));
  const auto folder = OutFolder();
  const std::string path = (folder / (std::string("icon.") + FormatName(format))).string();
  for (auto _ : state) {
    if (!ExportIconFile(bench::IconDocument(100), format, path, SizeSet::FromListMask(kAllSizes))) state.SkipWithError("the file failed");
  }
  state.SetLabel(FormatName(format));
  Report(state, folder);
}
BENCHMARK(BM_Format_Icon)
    ->Arg(static_cast<int>(ExportFormat::kIco))
    ->Arg(static_cast<int>(ExportFormat::kIcns))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace twk
