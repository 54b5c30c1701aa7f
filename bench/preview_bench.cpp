// The real-size preview beside the canvas. From a mouse move while an item
// is drawn to the canvas and all ten preview pictures holding their new
// pixels; and a key command that moves items, with the preview shown and
// hidden, for the item just drawn (the front item), an item in the middle
// and no selection (every item moves).

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "BenchDocuments.h"
#include "SessionRedraw.h"
#include "render/canvas/CanvasComposer.h"
#include "editor/Construction.h"
#include "editor/ItemList.h"
#include "editor/KeyCommands.h"
#include "render/Grid.h"
#include "render/preview/PreviewComposer.h"

namespace twk {
namespace {

// Rows mirroring CData, every one checked, with at most one selected.
void ListRows(ItemList& rows, const TWKFILE& doc, int selected) {
  for (int i = 0; i < doc.CData.size(); ++i) rows.ListItem(i, "", doc.CData.at(i), RowState{false, true});
  rows.SelectOnly(selected);
}

// The document, an editor on it and a redraw that composes the canvas and,
// when shown, brings the preview up to date.
struct PreviewedEditor {
  EditorSession ed;
  TWKFILE& doc = ed.doc();
  EditorState& editorState = ed.state();
  ItemList& rows = ed.rows();
  std::unique_ptr<Image> grid = BuildGridImage(320, 320, 16, 16);
  CanvasComposer canvas;
  PreviewComposer preview;
  std::unique_ptr<Image> picture;
  bench::Redraw redraw;
  CommandRegistry commands;

  PreviewedEditor(int count, int selectedRow, bool previewShown) {
    doc = bench::IconDocument(count);
    ListRows(rows, doc, selectedRow);
    AddEditorCommands(commands);
    redraw.follow = [this, previewShown] {
      picture = canvas.Compose(*grid, doc, editorState, ed.pixelsPerUnitX, ed.pixelsPerUnitY);
      if (previewShown) preview.Update(doc);
    };
    ed.AddObserver(&redraw);
    redraw.follow();
  }
};

void BM_MoveToCanvasAndPreview(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  PreviewedEditor t(count, -1, true);
  t.editorState.CurType = kEllipse;
  t.editorState.CurAlpha = 180;
  StartItem(t.ed, 150, 150);
  int step = 0;
  for (auto _ : state) {
    ++step;
    FollowPointer(t.ed, 40 + (step * 37) % 260, 30 + (step * 53) % 270);
    benchmark::DoNotOptimize(t.picture->data());
    benchmark::DoNotOptimize(t.preview.Picture(0, PreviewGround::kLight));
  }
  state.counters["items"] = t.doc.CData.size();
  state.counters["from_file"] = bench::IconFromFile(count) ? 1 : 0;
}
BENCHMARK(BM_MoveToCanvasAndPreview)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond)
    ->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);

// Args: item count, selected row (-1: none, so every item moves), preview shown.
void BM_MoveKey(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  PreviewedEditor t(count, static_cast<int>(state.range(1)), state.range(2) != 0);
  bool right = true;
  for (auto _ : state) {
    t.commands.Dispatch(t.ed, right ? 39 : 37, {});  // right and left arrow in turn
    right = !right;
    benchmark::DoNotOptimize(t.picture->data());
  }
  state.counters["from_file"] = bench::IconFromFile(count) ? 1 : 0;
}
BENCHMARK(BM_MoveKey)->ArgNames({"items", "row", "preview"})
    ->Args({1000, 0, 0})->Args({1000, 0, 1})
    ->Args({1000, 500, 0})->Args({1000, 500, 1})
    ->Args({1000, -1, 0})->Args({1000, -1, 1})
    ->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime()->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
}  // namespace twk
