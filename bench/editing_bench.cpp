// From a mouse move during construction to the new canvas picture: the
// construction step plus the canvas composer, for the 100- and 1000-item
// icons. A full redraw from scratch is measured beside it for comparison.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "BenchDocuments.h"
#include "SessionRedraw.h"
#include "render/canvas/CanvasComposer.h"
#include "editor/Construction.h"
#include "editor/EditorSession.h"
#include "render/Grid.h"
#include "render/SceneRenderer.h"

namespace twk {
namespace {

void MoveToPicture(benchmark::State& state, int count, bool useComposer) {
  // The construction never reaches the release: no row is made.
  EditorSession ed;
  TWKFILE& doc = ed.doc();
  EditorState& editorState = ed.state();
  doc = bench::IconDocument(count);
  const std::unique_ptr<Image> grid = BuildGridImage(320, 320, 16, 16);
  CanvasComposer composer;
  std::unique_ptr<Image> picture;
  bench::Redraw redraw([&] {
    picture = useComposer ? composer.Compose(*grid, doc, editorState, ed.pixelsPerUnitX, ed.pixelsPerUnitY)
                          : ComposeCanvas(*grid, doc, ed.pixelsPerUnitX, ed.pixelsPerUnitY);
  });
  ed.AddObserver(&redraw);
  editorState.CurType = kEllipse;
  editorState.CurAlpha = 180;
  StartItem(ed, 150, 150);
  int step = 0;
  for (auto _ : state) {
    ++step;
    FollowPointer(ed, 40 + (step * 37) % 260, 30 + (step * 53) % 270);
    benchmark::DoNotOptimize(picture->data());
  }
  state.counters["items"] = doc.CData.size();
  state.counters["from_file"] = bench::IconFromFile(count) ? 1 : 0;
}

void BM_MoveToPicture_Composer(benchmark::State& s) { MoveToPicture(s, static_cast<int>(s.range(0)), true); }
void BM_MoveToPicture_FullRedraw(benchmark::State& s) { MoveToPicture(s, static_cast<int>(s.range(0)), false); }

BENCHMARK(BM_MoveToPicture_Composer)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_MoveToPicture_FullRedraw)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond)
    ->Repetitions(3)->ReportAggregatesOnly(true);

}  // namespace
}  // namespace twk
