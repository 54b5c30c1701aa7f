// The paint budget: the 1,000-item arc and fill families painted at 1024
// pixels (the export's largest size), reported as nanoseconds per covered
// pixel. The covered pixels are counted once, item by item: each item
// painted alone, its pixels with any opacity summed over all items. Paint
// cost follows the pixels the items cover, so a change that makes painting
// cost more than its pixels shows up here as a higher figure. A benchmark
// only: nothing is refused.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>

#include "render/Image.h"
#include "render/PaintBudget.h"
#include "render/SceneRenderer.h"
#include "tests/render/HostileDrawings.h"

namespace twk {
namespace {

constexpr float kPixelsPerUnit = 64;  // 1024 pixels over the 16 units

// Pixels of `image` with any opacity.
long long OpaquePixels(const Image& image) {
  long long count = 0;
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(image.data() + std::size_t(y) * image.stride());
    for (int x = 0; x < image.width(); ++x) count += (row[x] >> 24) != 0;
  }
  return count;
}

// The pixels each item covers painted alone, summed over the items.
long long CoveredPixels(const TWKFILE& doc) {
  long long covered = 0;
  TWKFILE one;
  one.CData.append(TWKDATA{});
  for (int i = 0; i < doc.CData.size(); ++i) {
    *one.CData.at(0) = *doc.CData.at(i);
    if (auto image = RenderDocument(one, kPixelsPerUnit, kPixelsPerUnit, RenderArea::kFull))
      covered += OpaquePixels(*image);
  }
  return covered;
}

// What PaintBudget guesses for the whole drawing, in nanoseconds.
double GuessedNs(const TWKFILE& doc) {
  double ns = 0;
  for (int i = 0; i < doc.CData.size(); ++i) ns += GuessPaintNs(*doc.CData.at(i), kPixelsPerUnit, kPixelsPerUnit, 1024, 1024);
  return ns;
}

void PaintFamily(benchmark::State& state, const TWKFILE& doc) {
  const long long covered = CoveredPixels(doc);
  for (auto _ : state) {
    auto image = RenderDocument(doc, kPixelsPerUnit, kPixelsPerUnit, RenderArea::kFull);
    benchmark::DoNotOptimize(image.get());
  }
  state.counters["covered_Mpx"] = static_cast<double>(covered) / 1e6;
  // CPU time of all threads over the pixels, per iteration.
  state.counters["ns_per_covered_px"] =
      benchmark::Counter(static_cast<double>(covered) * 1e-9, benchmark::Counter::kIsIterationInvariantRate |
                                                                  benchmark::Counter::kInvert);
  state.counters["guessed_ms"] = GuessedNs(doc) / 1e6;
}

void BM_PaintBudgetDottedArcs(benchmark::State& state) { PaintFamily(state, test::TranslucentArcs(1000, kDots)); }
void BM_PaintBudgetStrokedArcs(benchmark::State& state) { PaintFamily(state, test::TranslucentArcs(1000, kSolid)); }
void BM_PaintBudgetOpaqueFills(benchmark::State& state) { PaintFamily(state, test::OpaqueFills(1000)); }

BENCHMARK(BM_PaintBudgetDottedArcs)->Iterations(2)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintBudgetStrokedArcs)->Iterations(2)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintBudgetOpaqueFills)->Iterations(2)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace twk
