// Changing the selection through the real windows, each timed to the canvas
// showing the result.
//
// BM_PickItem: a Ctrl+click on the canvas that picks another item, two
// points on different items in turn, on the 10,000-item icon; from the
// click to the canvas showing a new picture (the new marks).
// BM_SelectRow: a click on another row of the item list (two rows in turn)
// on the 1000-item icon, timed as the GUI thread's own CPU time from the
// click until the selection has rested, so the preparation the canvas does
// once the selection rests is counted and the waiting is not.

#include <benchmark/benchmark.h>

#include <time.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>
#include <memory>
#include <utility>

#include "../BenchDocuments.h"
#include "app/App.h"
#include "app/ImageCanvas.h"
#include "app/ItemListWidget.h"
#include "gui/GuiTestSupport.h"
#include "render/ItemHitTest.h"

namespace twk {
namespace {

// Longer than the pause after which the canvas prepares for the next key.
constexpr int kRestMs = 300;

std::unique_ptr<App> IconApp(int count) {
  auto app = std::make_unique<App>(ScreenScale{});
  app->Start();
  twk::test::ReplaceDocument(*app, bench::IconDocument(count));
  app->canvas().Settle();
  return app;
}

// Two canvas pixels whose Ctrl+click picks two different items: the first
// points of a coarse grid over the canvas with different items on top.
std::pair<QPoint, QPoint> PointsOnTwoItems(App& app) {
  const float ppu = app.session().pixelsPerUnitX;
  QPoint first(-1, -1);
  int firstItem = -1;
  for (int y = 10; y < app.mainWindow()->imgDraw->height(); y += 20) {
    for (int x = 10; x < app.mainWindow()->imgDraw->width(); x += 20) {
      const int item = ItemAtPoint(app.session().doc(), (x + 0.5) / ppu, (y + 0.5) / ppu, ppu, ppu);
      if (item < 0) continue;
      if (firstItem < 0) {
        first = {x, y}, firstItem = item;
      } else if (item != firstItem) {
        return {first, {x, y}};
      }
    }
  }
  return {{-1, -1}, {-1, -1}};
}

// Runs the event loop until the canvas shows another picture than `before`.
bool WaitForNewPicture(App& app, qint64 before) {
  QElapsedTimer clock;
  clock.start();
  while (app.mainWindow()->imgDraw->image().cacheKey() == before) {
    if (clock.elapsed() > 20000) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  return true;
}

// Each click comes after the last pick has rested (untimed), as a user's
// hand takes that long anyway, so whatever the canvas prepares for a rested
// selection is under way when the click comes.
void BM_PickItem(benchmark::State& state) {
  auto app = IconApp(static_cast<int>(state.range(0)));
  const auto [a, b] = PointsOnTwoItems(*app);
  if (a.x() < 0) return state.SkipWithError("no two points on different items");
  bool onA = true, shown = true;
  double settleMs = 0;
  for (auto _ : state) {
    state.PauseTiming();
    QTest::qWait(kRestMs);
    const qint64 before = app->mainWindow()->imgDraw->image().cacheKey();
    state.ResumeTiming();
    QTest::mouseClick(app->mainWindow()->imgDraw, Qt::LeftButton, Qt::ControlModifier, onA ? a : b);
    shown = WaitForNewPicture(*app, before) && shown;
    onA = !onA;
    state.PauseTiming();
    QElapsedTimer settle;
    settle.start();
    shown = app->canvas().Settle() && shown;
    settleMs += static_cast<double>(settle.nsecsElapsed()) / 1e6;
    state.ResumeTiming();
  }
  // How long the canvas kept working after the new picture showed (what it
  // prepares for the rested selection it was given before the click).
  state.counters["then_settled_ms"] = benchmark::Counter(settleMs, benchmark::Counter::kAvgIterations);
  if (!shown) state.SkipWithError("the canvas did not change");
  state.counters["selected"] = static_cast<double>(app->session().rows().SelectedItems().size());
  app->canvas().Settle();
}
BENCHMARK(BM_PickItem)->ArgName("items")->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime()
    ->Iterations(5)->Repetitions(5)->ReportAggregatesOnly(true);

double ThreadCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

void BM_SelectRow(benchmark::State& state) {
  auto app = IconApp(static_cast<int>(state.range(0)));
  ItemListWidget* list = app->mainWindow()->lstItems;
  QWidget* viewport = list->viewport();
  // Rows near the top, on screen without scrolling.
  int row = 3;
  list->items().SelectOnly(row);
  QTest::qWait(kRestMs);
  // What the wait alone costs the thread, without a click.
  const double idleStart = ThreadCpuSeconds();
  QTest::qWait(kRestMs);
  state.counters["idle_wait_ms"] = (ThreadCpuSeconds() - idleStart) * 1e3;
  for (auto _ : state) {
    row = row == 3 ? 4 : 3;
    const double start = ThreadCpuSeconds();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(60, list->rowRect(row).center().y()));
    QTest::qWait(kRestMs);
    state.SetIterationTime(ThreadCpuSeconds() - start);
  }
  if (app->session().rows().SelectedItems().size() != 1 || app->session().rows().CurrentRow() != row)
    state.SkipWithError("the click did not select the row");
  // 1 when the rested selection left the canvas its layers.
  state.counters["keeps_layers"] = app->canvas().keepsLayers() ? 1 : 0;
}
BENCHMARK(BM_SelectRow)->ArgName("items")->Arg(1000)->Unit(benchmark::kMillisecond)->UseManualTime()
    ->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
}  // namespace twk
