// Canvas redraw (grid clone, render, blend) at 20 px per unit, and
// RenderDocument plus SavePng at 1024 x 1024, for the standard documents.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <random>
#include <string>

#include "document/Colour.h"
#include "persist/DocumentFile.h"
#include "render/Grid.h"
#include "render/PngWriter.h"
#include "render/SceneRenderer.h"

namespace twk {
namespace {

// A stand-in with the same mix as the standard files: every kind, method and
// end style, some rotated, dotted, filled and translucent.
TWKFILE MakeIconDocument(int count) {
  std::mt19937 rng(static_cast<unsigned>(count));
  std::uniform_real_distribution<float> pos(0.5f, 15.5f), width(0.25f, 3.0f), unit(0, 1);
  TWKFILE doc;
  for (int i = 0; i < count; ++i) {
    TWKDATA it;
    it.Type = static_cast<std::uint8_t>(i % 4);
    it.DrawMethod = static_cast<std::uint8_t>((i / 4) % 3);
    it.DrawMethod2 = static_cast<std::uint8_t>((i / 12) % 3);
    it.DrawWidth = width(rng);
    it.DrawAngle = unit(rng) < 0.3f ? 360 * unit(rng) : 0;
    it.DrawRGBA = PackRGBA(int(255 * unit(rng)), int(255 * unit(rng)), int(255 * unit(rng)),
                           unit(rng) < 0.3f ? 128 : 255);
    it.Visible = 1;
    it.X1 = pos(rng), it.Y1 = pos(rng), it.X2 = pos(rng), it.Y2 = pos(rng);
    it.X3 = pos(rng), it.Y3 = pos(rng), it.X4 = pos(rng), it.Y4 = pos(rng);
    if (it.Type == kEllipse) it.X2 = 360 * unit(rng), it.Y2 = unit(rng) < 0.5f ? it.X2 + 360 : 360 * unit(rng);
    doc.CData.append(it);
  }
  return doc;
}

// The standard file icon-<count>.twk, or the stand-in when it cannot be read.
const TWKFILE& IconDocument(int count) {
  static std::map<int, TWKFILE> cache;
  auto found = cache.find(count);
  if (found != cache.end()) return found->second;
  TWKFILE doc;
  const std::string path = std::string(TARNWICK_BENCH_DATA_DIR) + "/icon-" + std::to_string(count) + ".twk";
  // The standard files are read-only: load them with shared access.
  if (LoadDocumentFile(path, doc, LoadAccess::kShared) != 0) {
    std::fprintf(stderr, "render_bench: %s not loaded, using a generated document\n", path.c_str());
    doc = MakeIconDocument(count);
  }
  return cache.emplace(count, std::move(doc)).first->second;
}

void BM_CanvasRedraw(benchmark::State& state) {
  const TWKFILE& doc = IconDocument(static_cast<int>(state.range(0)));
  const auto grid = BuildGridImage(320, 320, 16, 16);
  for (auto _ : state) {
    auto canvas = ComposeCanvas(*grid, doc, 20.0f, 20.0f);
    benchmark::DoNotOptimize(canvas.get());
  }
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
