// Pixel fitting and the crispness figure on drawings whose items share their
// edge positions: identical lines fitted at 24 px, and the figure of a
// fitted 250,000-item half-unit grid at 16 px (fitting, picture, figure).

#include <benchmark/benchmark.h>

#include "fit/Crispness.h"
#include "fit/FitToPixels.h"
#include "tests/fit/FitDrawings.h"

namespace twk {
namespace {

void BM_FitIdenticalLines(benchmark::State& state) {
  const TWKFILE doc = test::IdenticalLines(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(FitToPixels(doc, 24));
}
BENCHMARK(BM_FitIdenticalLines)->ArgName("items")->Arg(1000)->Arg(3000)->Arg(10000)->Iterations(3)
    ->Unit(benchmark::kMillisecond);

void BM_FittedGridFigure(benchmark::State& state) {
  const TWKFILE doc = test::HalfUnitGrid(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    const std::optional<Crispness> crisp = CrispnessAt(doc, 16, true);
    if (!crisp) state.SkipWithError("no picture");
    benchmark::DoNotOptimize(crisp);
  }
}
BENCHMARK(BM_FittedGridFigure)->ArgName("items")->Arg(10000)->Arg(250000)->Iterations(3)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace twk
