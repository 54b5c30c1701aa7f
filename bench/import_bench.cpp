// Reading a typical 24-unit line icon from SVG (target: under 1 ms): the
// text in memory, and the file from disk as the command line reads it.
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <string>

#include "import/SvgReader.h"

namespace {

const std::string kIconPath = std::string(TARNWICK_BENCH_DATA_DIR) + "/svg/house.svg";

void BM_ReadLineIconText(benchmark::State& state) {
  std::ifstream in(kIconPath, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), {});
  for (auto _ : state) {
    const twk::SvgRead read = twk::ReadSvgText(text);
    if (!read.ok || read.doc.CData.size() == 0) state.SkipWithError("the icon did not read");
    benchmark::DoNotOptimize(read.doc.CData.size());
  }
}
BENCHMARK(BM_ReadLineIconText)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

void BM_ReadLineIconFile(benchmark::State& state) {
  for (auto _ : state) {
    const twk::SvgRead read = twk::ReadSvgFile(kIconPath);
    if (!read.ok || read.doc.CData.size() == 0) state.SkipWithError("the icon did not read");
    benchmark::DoNotOptimize(read.doc.CData.size());
  }
}
BENCHMARK(BM_ReadLineIconFile)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace
