// Undo and redo through the real program on the 1000-item icon: from the
// command to the list, the selection and the canvas holding the result
// (redraw 1), or to the list and selection alone, with the canvas report
// switched off (redraw 0). A canvas redraw alone is measured beside them,
// since each step ends with exactly one.

#include <benchmark/benchmark.h>

#include "../BenchDocuments.h"
#include "app/App.h"
#include "gui/GuiTestSupport.h"
#include "app/ImageCanvas.h"
#include "app/ItemListWidget.h"
#include "editor/KeyNumbers.h"

namespace twk {
namespace {

std::unique_ptr<App> IconApp(bool redraw = true) {
  auto app = std::make_unique<App>(ScreenScale{});
  app->Start();
  twk::test::ReplaceDocument(*app, bench::IconDocument(1000));
  if (!redraw) app->session().RemoveObserver(&app->canvas());
  return app;
}

// The full redraw: with nothing selected and every kept picture dropped
// (a redraw of an unchanged document would otherwise start from the last
// picture and paint nothing). Timed until the canvas shows the picture,
// wherever it was painted (a large one is painted on the worker, and the
// call alone only hands it over).
void BM_GuiCanvasRedraw(benchmark::State& state) {
  auto app = IconApp();
  app->mainWindow()->lstItems->items().SelectOnly(-1);
  bool settled = true;
  for (auto _ : state) {
    app->canvas().DropCache();
    app->canvas().Redraw();
    settled = app->canvas().Settle() && settled;
    benchmark::DoNotOptimize(app->mainWindow()->imgDraw->image().constBits());
  }
  if (!settled) state.SkipWithError("the canvas did not settle");
}
BENCHMARK(BM_GuiCanvasRedraw)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_GuiUndoRedoOneItemStep(benchmark::State& state) {
  auto app = IconApp(state.range(0) != 0);
  app->mainWindow()->lstItems->items().SelectOnly(500);
  app->DispatchCommand(keys::kD);
  for (auto _ : state) {
    app->DispatchCommand(keys::kUndo);
    app->DispatchCommand(keys::kRedo);
    benchmark::DoNotOptimize(app->mainWindow()->imgDraw->image().constBits());
  }
}
BENCHMARK(BM_GuiUndoRedoOneItemStep)->ArgName("redraw")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_GuiUndoDeleteOf500(benchmark::State& state) {
  auto app = IconApp(state.range(0) != 0);
  ItemListWidget* list = app->mainWindow()->lstItems;
  list->items().SelectOnly(-1);
  for (int row = 0; row < 1000; row += 2) list->items().SetRowState(row, RowState{true, true});
  app->DispatchCommand(keys::kDelete);
  if (app->session().doc().CData.size() != 500) state.SkipWithError("the Delete did not remove 500 items");
  int rowsAfterUndo = 0;
  for (auto _ : state) {
    app->DispatchCommand(keys::kUndo);
    benchmark::DoNotOptimize(app->mainWindow()->imgDraw->image().constBits());
    rowsAfterUndo = list->items().RowCount();
    state.PauseTiming();
    app->DispatchCommand(keys::kRedo);
    state.ResumeTiming();
  }
  state.counters["rows_after_undo"] = rowsAfterUndo;
}
BENCHMARK(BM_GuiUndoDeleteOf500)->ArgName("redraw")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace twk
