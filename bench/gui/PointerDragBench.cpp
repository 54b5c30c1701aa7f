// One frame of a Ctrl+drag on the real canvas widget, on the 1000-item icon:
// from the mouse move event to the canvas holding the new pixels, the
// pointer going one step of 0.125 units right and back in turn. The drag
// takes the front item, or with Ctrl+A every item.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QMouseEvent>
#include <memory>

#include "../BenchDocuments.h"
#include "app/App.h"
#include "gui/GuiTestSupport.h"
#include "app/ImageCanvas.h"
#include "editor/KeyNumbers.h"
#include "render/ItemHitTest.h"

namespace twk {
namespace {

void SendMouse(ImageCanvas* canvas, QEvent::Type type, QPoint at, Qt::MouseButtons held) {
  QMouseEvent event(type, QPointF(at), canvas->mapToGlobal(QPointF(at)), Qt::LeftButton, held, Qt::ControlModifier);
  QCoreApplication::sendEvent(canvas, &event);
}

// A canvas pixel on the front item.
QPoint OnFrontItem(App& app) {
  const float ppu = app.session().pixelsPerUnitX;
  for (int y = 0; y < app.mainWindow()->imgDraw->height(); ++y)
    for (int x = 0; x < app.mainWindow()->imgDraw->width(); ++x)
      if (ItemAtPoint(app.session().doc(), (x + 0.5) / ppu, (y + 0.5) / ppu, ppu, ppu) == 0) return {x, y};
  return {-1, -1};
}

// Args: item count, whether every item is selected.
void BM_CtrlDragFrame(benchmark::State& state) {
  auto app = std::make_unique<App>(ScreenScale{});
  app->Start();
  twk::test::ReplaceDocument(*app, bench::IconDocument(static_cast<int>(state.range(0))));
  if (state.range(1) != 0) app->DispatchCommand(keys::kSelectAll);
  ImageCanvas* canvas = app->mainWindow()->imgDraw;
  const QPoint start = OnFrontItem(*app);
  if (start.x() < 0) return state.SkipWithError("no pixel on the front item");
  SendMouse(canvas, QEvent::MouseButtonPress, start, Qt::LeftButton);
  // 20 pixels a unit: 3 pixels is more than half a step, so every move
  // lands on the next step and back.
  bool right = true;
  for (auto _ : state) {
    SendMouse(canvas, QEvent::MouseMove, start + QPoint(right ? 3 : 0, 0), Qt::LeftButton);
    right = !right;
    QCoreApplication::processEvents();
    benchmark::DoNotOptimize(canvas->image().constBits());
  }
  SendMouse(canvas, QEvent::MouseButtonRelease, start, Qt::NoButton);
  state.counters["dragging_items"] = static_cast<double>(app->session().rows().SelectedItems().size());
}
BENCHMARK(BM_CtrlDragFrame)->ArgNames({"items", "all"})->Args({1000, 0})->Args({1000, 1})
    ->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
}  // namespace twk
