// The item list at 10,000 items (icon-10000.twk) through the real program:
// undo and redo of deleting every item, each ending with the list, the
// selection and the canvas holding the result; and a Load of the file next
// to reading the record alone.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include <QCoreApplication>
#include <QString>

#include "app/App.h"
#include "app/AppCommands.h"
#include "gui/GuiTestSupport.h"
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
  LoadDocumentFromPath(DocumentFilePartsOf(*app), QString::fromUtf8(kIcon10000));
  return app;
}

// Lets the list lay out and paint its rows, as it does before the user
// sees them.
void ShowOnScreen(App& app) {
  QCoreApplication::processEvents();
  benchmark::DoNotOptimize(app.mainWindow()->imgDraw->image().constBits());
}

// Deletes every item, then times undo (redo:0) or redo (redo:1) of it. With
// shown:0 every item is hidden first, so the canvas paints none of them and
// what is left is the cost of everything but the painting.
void BM_GuiUndoRedoDeleteAll10000(benchmark::State& state) {
  const bool redo = state.range(0) != 0;
  auto app = LoadedApp();
  if (app->session().doc().CData.size() != 10000) state.SkipWithError("icon-10000.twk did not load");
  if (state.range(1) == 0) {
    ItemList& rows = app->mainWindow()->lstItems->items();
    RowUpdateBatch batch(rows);
    for (int row = 0; row < rows.RowCount(); ++row) rows.SetChecked(row, false);
  }
  app->mainWindow()->lstItems->selectAll();
  app->DispatchCommand(keys::kDelete);
  if (!app->session().doc().CData.empty()) state.SkipWithError("the Delete left items");
  ShowOnScreen(*app);
  int redraws = 0;
  for (auto _ : state) {
    if (redo) {
      state.PauseTiming();
      app->DispatchCommand(keys::kUndo);
      ShowOnScreen(*app);
      state.ResumeTiming();
    }
    const int redrawsBefore = app->canvas().redrawCount();
    app->DispatchCommand(redo ? keys::kRedo : keys::kUndo);
    ShowOnScreen(*app);
    redraws += app->canvas().redrawCount() - redrawsBefore;
    if (!redo) {
      state.PauseTiming();
      app->DispatchCommand(keys::kRedo);
      ShowOnScreen(*app);
      state.ResumeTiming();
    }
  }
  state.counters["redraws"] = benchmark::Counter(redraws, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_GuiUndoRedoDeleteAll10000)->ArgNames({"redo", "shown"})->ArgsProduct({{0, 1}, {1, 0}})->Unit(benchmark::kMillisecond)
    ->UseRealTime()->Iterations(3)->Repetitions(3)->ReportAggregatesOnly(true);

// One canvas redraw of the 10,000 items with every row selected, as the undo
// above leaves them: the part of that undo that is not the list's.
void BM_GuiRedrawAll10000(benchmark::State& state) {
  auto app = LoadedApp();
  app->mainWindow()->lstItems->selectAll();
  ShowOnScreen(*app);
  for (auto _ : state) {
    app->canvas().Redraw();
    ShowOnScreen(*app);
  }
}
BENCHMARK(BM_GuiRedrawAll10000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3)->Repetitions(3)
    ->ReportAggregatesOnly(true);

// The file itself (shown:1), or a copy with every item hidden (shown:0), so
// that a Load paints none of them and what is left is the cost of everything
// but the painting.
std::string Icon10000(bool shown) {
  if (shown) return kIcon10000;
  static const std::string hidden = [] {
    TWKFILE doc;
    if (LoadDocumentFile(kIcon10000, doc) != ResultCode::kOk) return std::string();
    for (int i = 0; i < doc.CData.size(); ++i) doc.CData.at(i)->Visible = 0;
    const std::string path = (std::filesystem::temp_directory_path() / "tarnwick-bench-hidden-10000.twk").string();
    return SaveDocumentFile(path, doc) == ResultCode::kOk ? path : std::string();
  }();
  return hidden;
}

void BM_GuiLoad10000(benchmark::State& state) {
  const QString path = QString::fromStdString(Icon10000(state.range(0) != 0));
  auto app = LoadedApp();
  ShowOnScreen(*app);
  const int redrawsBefore = app->canvas().redrawCount();
  for (auto _ : state) {
    LoadDocumentFromPath(DocumentFilePartsOf(*app), path);
    ShowOnScreen(*app);
  }
  if (app->session().doc().CData.size() != 10000) state.SkipWithError("the file did not load");
  state.counters["redraws"] =
      benchmark::Counter(app->canvas().redrawCount() - redrawsBefore, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_GuiLoad10000)->ArgName("shown")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime()
    ->Iterations(3)->Repetitions(3)->ReportAggregatesOnly(true);

// Clone of every item of the hidden copy (the list doubles at its top), then
// its undo: the list's and the history's part of a big Clone.
void BM_GuiCloneAll10000(benchmark::State& state) {
  auto app = LoadedApp();
  LoadDocumentFromPath(DocumentFilePartsOf(*app), QString::fromStdString(Icon10000(false)));
  ShowOnScreen(*app);
  const bool undo = state.range(0) != 0;
  for (auto _ : state) {
    if (undo) state.PauseTiming();
    app->mainWindow()->lstItems->selectAll();
    app->DispatchCommand(keys::kClone);
    ShowOnScreen(*app);
    if (undo) state.ResumeTiming();
    if (!undo) state.PauseTiming();
    app->DispatchCommand(keys::kUndo);
    ShowOnScreen(*app);
    if (!undo) state.ResumeTiming();
  }
  if (app->session().doc().CData.size() != 10000) state.SkipWithError("the undo did not take the clones away");
}
BENCHMARK(BM_GuiCloneAll10000)->ArgName("undo")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()
    ->Iterations(3)->Repetitions(3)->ReportAggregatesOnly(true);

void BM_LoadRecordAlone10000(benchmark::State& state) {
  const std::string path = Icon10000(state.range(0) != 0);
  for (auto _ : state) {
    TWKFILE doc;
    if (LoadDocumentFile(path, doc) != ResultCode::kOk) state.SkipWithError("the file did not load");
    benchmark::DoNotOptimize(doc.CData.size());
  }
}
BENCHMARK(BM_LoadRecordAlone10000)->ArgName("shown")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime()
    ->Iterations(3)->Repetitions(3)->ReportAggregatesOnly(true);

}  // namespace
}  // namespace twk
