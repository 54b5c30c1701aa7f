// Pointing at the canvas of the 1000-item icon: which item is under the
// pointer (front to back until one is hit), which handle of a selection is,
// and the selection marks over the canvas picture. Points cycle over a grid
// across the whole document, so clicks on items and on empty ground mix.

#include <benchmark/benchmark.h>

#include <numeric>
#include <vector>

#include "BenchDocuments.h"
#include "geometry/ItemHandles.h"
#include "render/Image.h"
#include "render/ItemHitTest.h"
#include "render/SelectionMarks.h"

namespace twk {
namespace {

constexpr float kPpu = 20.0f;

struct GridPoint {
  double x, y;
};

// 17 x 17 points, a unit apart, offset from the items' usual grid lines.
std::vector<GridPoint> Points() {
  std::vector<GridPoint> points;
  for (int j = 0; j < 17; ++j)
    for (int i = 0; i < 17; ++i) points.push_back({i * 0.97 + 0.3, j * 0.93 + 0.2});
  return points;
}

void BM_HitTest(benchmark::State& state) {
  const TWKFILE& doc = bench::IconDocument(static_cast<int>(state.range(0)));
  const std::vector<GridPoint> points = Points();
  std::size_t k = 0;
  int hits = 0;
  for (auto _ : state) {
    const GridPoint& p = points[k++ % points.size()];
    const int index = ItemAtPoint(doc, p.x, p.y, kPpu, kPpu);
    hits += index >= 0;
    benchmark::DoNotOptimize(index);
  }
  state.counters["hit_share"] = benchmark::Counter(hits, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_HitTest)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

// A click on empty ground tries every item: the document without the items
// under the middle of the canvas, clicked there.
void BM_HitTestEmptyGround(benchmark::State& state) {
  TWKFILE doc = bench::IconDocument(1000);
  for (int index; (index = ItemAtPoint(doc, 8.1, 8.1, kPpu, kPpu)) >= 0;) doc.CData.remove(doc.CData.at(index));
  for (auto _ : state) benchmark::DoNotOptimize(ItemAtPoint(doc, 8.1, 8.1, kPpu, kPpu));
  state.counters["items"] = doc.CData.size();
}
BENCHMARK(BM_HitTestEmptyGround)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The handle under the pointer with every item selected.
void BM_HandleAtPoint(benchmark::State& state) {
  const TWKFILE& doc = bench::IconDocument(1000);
  std::vector<int> all(static_cast<std::size_t>(doc.CData.size()));
  std::iota(all.begin(), all.end(), 0);
  const std::vector<GridPoint> points = Points();
  std::size_t k = 0;
  for (auto _ : state) {
    const GridPoint& p = points[k++ % points.size()];
    benchmark::DoNotOptimize(HandleAtPoint(doc, all, p.x, p.y, kPpu, kPpu));
  }
}
BENCHMARK(BM_HandleAtPoint)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

// Marks of every item over a 320 x 320 canvas picture.
void BM_SelectionMarks(benchmark::State& state) {
  const TWKFILE& doc = bench::IconDocument(1000);
  std::vector<int> all(static_cast<std::size_t>(doc.CData.size()));
  std::iota(all.begin(), all.end(), 0);
  auto canvas = Image::NewFilled(320, 320, 0x808080);
  for (auto _ : state) PaintSelectionMarks(*canvas, doc, all, kPpu, kPpu);
}
BENCHMARK(BM_SelectionMarks)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
}  // namespace twk
