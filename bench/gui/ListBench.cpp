// The item list at 10,000 items (icon-10000.twk) through the real program:
// undo and redo of deleting every item, each ending with the list, the
// selection and the canvas holding the result; and a Load of the file next
// to reading the record alone.

#include <benchmark/benchmark.h>

#include <QString>

#include "app/App.h"
#include "gui/TestApp.h"
#include "app/DocumentCommands.h"
#include "app/ImageCanvas.h"
#include "app/ItemListWidget.h"
#include "editor/KeyNumbers.h"
#include "persist/DocumentFile.h"

namespace twk {
namespace {

const char* const kIcon10000 = TARNWICK_BENCH_DATA_DIR "/icon-10000.twk";

std::unique_ptr<TestApp> LoadedApp() {
  auto app = std::make_unique<TestApp>(ScreenScale{});
  app->Start();
  LoadDocumentFromPath(*app, QString::fromUtf8(kIcon10000));
  return app;
}

// Deletes every item, then times undo (range 0) or redo (range 1) of it.
void BM_GuiUndoRedoDeleteAll10000(benchmark::State& state) {
  const bool redo = state.range(0) != 0;
  auto app = LoadedApp();
  if (app->doc().CData.size() != 10000) state.SkipWithError("icon-10000.twk did not load");
  app->lstItems()->selectAll();
  app->DispatchCommand(keys::kDelete);
  if (!app->doc().CData.empty()) state.SkipWithError("the Delete left items");
  for (auto _ : state) {
    if (redo) {
      state.PauseTiming();
      app->DispatchCommand(keys::kUndo);
      state.ResumeTiming();
    }
    app->DispatchCommand(redo ? keys::kRedo : keys::kUndo);
    benchmark::DoNotOptimize(app->imgDraw()->image().constBits());
    if (!redo) {
      state.PauseTiming();
      app->DispatchCommand(keys::kRedo);
      state.ResumeTiming();
    }
  }
}
BENCHMARK(BM_GuiUndoRedoDeleteAll10000)->ArgName("redo")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)
    ->UseRealTime()->Iterations(3)->Repetitions(3)->ReportAggregatesOnly(true);

void BM_GuiLoad10000(benchmark::State& state) {
  auto app = LoadedApp();
  for (auto _ : state) {
    LoadDocumentFromPath(*app, QString::fromUtf8(kIcon10000));
    benchmark::DoNotOptimize(app->imgDraw()->image().constBits());
  }
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
