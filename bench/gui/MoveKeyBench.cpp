// A move key pressed on the real canvas widget, from the key event to the
// canvas (and the Preview window's pictures, when it is shown) holding the
// new pixels, on the 1000-item icon. The key acts on the front item (the
// item just drawn), on an item in the middle of the list, or, with no
// selection, on every item.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QKeyEvent>

#include "../BenchDocuments.h"
#include "app/App.h"
#include "app/ImageCanvas.h"
#include "app/ItemListWidget.h"
#include "app/PreviewWindow.h"
#include "editor/KeyNumbers.h"

namespace twk {
namespace {

// Args: item count, selected row (-1: none, so every item moves), preview shown.
void BM_MoveKey(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  App app(ScreenScale{});
  app.Start();
  app.ReplaceDocument(bench::IconDocument(count));
  app.lstItems()->SelectOnly(static_cast<int>(state.range(1)));
  if (state.range(2) != 0) app.DispatchCommand(keys::kP);
  ImageCanvas* canvas = app.imgDraw();
  canvas->setFocus();
  bool right = true;
  for (auto _ : state) {
    QKeyEvent press(QEvent::KeyPress, right ? Qt::Key_Right : Qt::Key_Left, Qt::NoModifier);
    QCoreApplication::sendEvent(canvas, &press);
    right = !right;
    benchmark::DoNotOptimize(canvas->image().constBits());
  }
  state.counters["preview_shown"] = app.previewWindow()->isShowing() ? 1 : 0;
  state.counters["preview_items"] = static_cast<double>(app.previewItemsPainted());
}
BENCHMARK(BM_MoveKey)->ArgNames({"items", "row", "preview"})
    ->Args({1000, 0, 0})->Args({1000, 0, 1})
    ->Args({1000, 500, 0})->Args({1000, 500, 1})
    ->Args({1000, -1, 0})->Args({1000, -1, 1})
    ->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
}  // namespace twk
