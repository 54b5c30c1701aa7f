// The item list at 10,000 items (icon-10000.twk) through the real program:
// undo and redo of deleting every item, each ending with the list, the
// selection and the canvas holding the result; and a Load of the file next
// to reading the record alone.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QString>

#include "app/App.h"
#include "app/DocumentCommands.h"
#include "app/ImageCanvas.h"
#include "app/ItemListWidget.h"
#include "editor/KeyNumbers.h"
#include "persist/DocumentFile.h"

namespace twk {
namespace {

const char* const kIcon10000 = TARNWICK_BENCH_DATA_DIR "/icon-10000.twk";

std::unique_ptr<App> LoadedApp() {
  auto app = std::make_unique<App>(ScreenScale{});
  app->Start();
  LoadDocumentFromPath(*app, QString::fromUtf8(kIcon10000));
  return app;
}

// Lets the list lay out and paint its rows, as it does before the user
// sees them.
void ShowOnScreen(App& app) {
  QCoreApplication::processEvents();
  benchmark::DoNotOptimize(app.imgDraw()->image().constBits());
}

// Deletes every item, then times undo (range 0) or redo (range 1) of it.
void BM_GuiUndoRedoDeleteAll10000(benchmark::State& state) {
  const bool redo = state.range(0) != 0;
  auto app = LoadedApp();
  if (app->doc().CData.size() != 10000) state.SkipWithError("icon-10000.twk did not load");
  app->lstItems()->selectAll();
  app->DispatchCommand(keys::kDelete);
  if (!app->doc().CData.empty()) state.SkipWithError("the Delete left items");
  ShowOnScreen(*app);
  int redraws = 0;
  for (auto _ : state) {
    if (redo) {
      state.PauseTiming();
      app->DispatchCommand(keys::kUndo);
      ShowOnScreen(*app);
      state.ResumeTiming();
    }
    const int redrawsBefore = app->redrawCount();
    app->DispatchCommand(redo ? keys::kRedo : keys::kUndo);
    ShowOnScreen(*app);
    redraws += app->redrawCount() - redrawsBefore;
    if (!redo) {
      state.PauseTiming();
      app->DispatchCommand(keys::kRedo);
      ShowOnScreen(*app);
      state.ResumeTiming();
    }
  }
  state.counters["redraws"] = benchmark::Counter(redraws, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_GuiUndoRedoDeleteAll10000)->ArgName("redo")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)
    ->UseRealTime()->Iterations(3)->Repetitions(3)->ReportAggregatesOnly(true);

// One canvas redraw of the 10,000 items with every row selected, as the undo
// above leaves them: the part of that undo that is not the list's.
void BM_GuiRedrawAll10000(benchmark::State& state) {
  auto app = LoadedApp();
  app->lstItems()->selectAll();
  ShowOnScreen(*app);
  for (auto _ : state) {
    app->OnDocumentChanged();
    ShowOnScreen(*app);
  }
}
BENCHMARK(BM_GuiRedrawAll10000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3)->Repetitions(3)
    ->ReportAggregatesOnly(true);

void BM_GuiLoad10000(benchmark::State& state) {
  auto app = LoadedApp();
  ShowOnScreen(*app);
  const int redrawsBefore = app->redrawCount();
  for (auto _ : state) {
    LoadDocumentFromPath(*app, QString::fromUtf8(kIcon10000));
    ShowOnScreen(*app);
  }
  state.counters["redraws"] =
      benchmark::Counter(app->redrawCount() - redrawsBefore, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_GuiLoad10000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3)->Repetitions(3)
    ->ReportAggregatesOnly(true);

void BM_LoadRecordAlone10000(benchmark::State& state) {
  for (auto _ : state) {
    TWKFILE doc;
    if (LoadDocumentFile(kIcon10000, doc) != ResultCode::kOk) state.SkipWithError("icon-10000.twk did not load");
    benchmark::DoNotOptimize(doc.CData.size());
  }
}
BENCHMARK(BM_LoadRecordAlone10000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3)->Repetitions(3)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace twk
