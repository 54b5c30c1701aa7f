// Canvas redraw (grid clone, render, blend) at 20 px per unit, and
// RenderDocument plus SavePng at 1024 x 1024, for the standard documents.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "BenchDocuments.h"
#include "render/Grid.h"
#include "render/PngWriter.h"
#include "render/PaintBudget.h"
#include "render/SceneRenderer.h"

namespace twk {
namespace {

using bench::IconDocument;

void BM_CanvasRedraw(benchmark::State& state) {
  const TWKFILE& doc = IconDocument(static_cast<int>(state.range(0)));
  const auto grid = BuildGridImage(320, 320, 16, 16);
  for (auto _ : state) {
    auto canvas = ComposeCanvas(*grid, doc, 20.0f, 20.0f);
    benchmark::DoNotOptimize(canvas.get());
  }
  // What the canvas's paint budget guesses this redraw costs.
  double guessed = 0;
  for (int i = 0; i < doc.CData.size(); ++i) guessed += GuessPaintNs(*doc.CData.at(i), 20.0, 20.0, 320, 320);
  state.counters["guessed_ms"] = guessed / 1e6;
}
BENCHMARK(BM_CanvasRedraw)->Arg(10)->Arg(100)->Arg(1000)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);

void BM_RenderAndSavePng1024(benchmark::State& state) {
  const TWKFILE& doc = IconDocument(static_cast<int>(state.range(0)));
  const std::string path = "/tmp/twk_render_bench.png";
  for (auto _ : state) {
    auto image = RenderDocument(doc, 64.0f, 64.0f, RenderArea::kFull);
    benchmark::DoNotOptimize(SavePng(*image, path));
  }
  std::remove(path.c_str());
}
BENCHMARK(BM_RenderAndSavePng1024)->Arg(10)->Arg(100)->Arg(1000)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);

void BM_Render1024(benchmark::State& state) {
  const TWKFILE& doc = IconDocument(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(RenderDocument(doc, 64.0f, 64.0f, RenderArea::kFull).get());
}
BENCHMARK(BM_Render1024)->Arg(10)->Arg(100)->Arg(1000)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace twk
