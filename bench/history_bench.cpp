// Undo and redo in the core on the 1000-item icon, with the rows held in
// memory and the canvas report left out (the GUI benchmark adds the real
// list and the redraw): a one-item step undone and redone, and the undo of
// a Delete of 500 items spread over the whole list.

#include <benchmark/benchmark.h>

#include "BenchDocuments.h"
#include "editor/EditHistory.h"
#include "editor/ItemCommands.h"
#include "editor/KeyCommands.h"
#include "editor/KeyNumbers.h"
#include "editor/TestEditor.h"

namespace twk {
namespace {

// The icon listed as after a load, with the history attached.
struct ListedIcon {
  test::TestEditor t;
  explicit ListedIcon(int count) {
    t.doc = bench::IconDocument(count);
    RebuildRowsFromDocument(t.ed);
  }
};

void BM_UndoRedoOneItemStep(benchmark::State& state) {
  ListedIcon icon(static_cast<int>(state.range(0)));
  test::SelectRows(icon.t.rows, {500});
  test::DispatchCommand(icon.t.ed, keys::kD);
  for (auto _ : state) {
    UndoCommand(icon.t.ed);
    RedoCommand(icon.t.ed);
  }
  state.counters["steps"] = static_cast<double>(icon.t.history.undoCount());
  state.counters["from_file"] = bench::IconFromFile(static_cast<int>(state.range(0))) ? 1 : 0;
}
BENCHMARK(BM_UndoRedoOneItemStep)->Arg(1000)->Unit(benchmark::kMicrosecond)->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_UndoDeleteOf500(benchmark::State& state) {
  ListedIcon icon(1000);
  icon.t.rows.SelectOnly(-1);
  for (int row = 0; row < 1000; row += 2) icon.t.rows.SetRowState(row, RowState{true, true});
  DeleteSelected(icon.t.ed);
  if (icon.t.doc.CData.size() != 500) state.SkipWithError("the Delete did not remove 500 items");
  for (auto _ : state) {
    UndoCommand(icon.t.ed);
    state.PauseTiming();
    RedoCommand(icon.t.ed);
    state.ResumeTiming();
  }
  state.counters["items_after_undo"] = 1000;
}
BENCHMARK(BM_UndoDeleteOf500)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
}  // namespace twk
