// The longest time the editor's GUI thread is held at once while a large
// drawing is opened and while a key moves all its items, until the canvas
// shows the finished picture. The drawings are the paint-heavy families:
// translucent three-turn arcs of round dots, and opaque rectangles filling
// the whole canvas; the key comes with none selected, so it moves every
// item. Counters, in milliseconds: open_stall and edit_stall
// (the longest hold), open_done and edit_done (until the picture is shown),
// and sync_paint, the time the composer takes for the same picture on the
// calling thread (what held the GUI thread when every repaint was painted
// there).
//
// BM_HeldKeyDottedArcs: an arrow key held on the arcs with none selected,
// its repeats coming every 33 ms, right and then left, without waiting for
// the pictures (each key replaces the one being painted). Counters, in
// milliseconds: key_median and key_longest, the GUI thread's time from a
// key's event until it returns to the loop.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

#include "app/App.h"
#include "app/ImageCanvas.h"
#include "app/ItemListWidget.h"
#include "gui/GuiTestSupport.h"
#include "render/canvas/CanvasComposer.h"
#include "render/Grid.h"
#include "render/HostileDrawings.h"

namespace twk {
namespace {

struct Stall {
  double longestMs = 0, doneMs = 0;
};

// Runs `change` and then the event loop until the canvas has its picture,
// timing the longest stretch between two returns to the loop.
template <typename Change>
Stall TimeStall(App& app, Change change) {
  QElapsedTimer clock;
  clock.start();
  change();
  Stall stall;
  qint64 last = 0;
  for (;;) {
    const qint64 now = clock.nsecsElapsed();
    stall.longestMs = std::max(stall.longestMs, static_cast<double>(now - last) / 1e6);
    last = now;
    if (!app.canvas().painting()) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    QCoreApplication::processEvents();
  }
  // The finished picture shown, timed as one more stretch.
  app.canvas().Settle();
  {
    const qint64 now = clock.nsecsElapsed();
    stall.longestMs = std::max(stall.longestMs, static_cast<double>(now - last) / 1e6);
  }
  stall.doneMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
  return stall;
}

double SyncPaintMs(App& app) {
  CanvasComposer composer;
  const auto start = std::chrono::steady_clock::now();
  benchmark::DoNotOptimize(composer.Compose(*app.canvas().grid(), app.session().doc(), app.session().state(), app.session().pixelsPerUnitX,
                                            app.session().pixelsPerUnitY));
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void PaintStall(benchmark::State& state, TWKFILE (*family)(int)) {
  const int count = static_cast<int>(state.range(0));
  for (auto _ : state) {
    App app(ScreenScale{});
    app.Start();
    TWKFILE doc = family(count);
    const Stall open = TimeStall(app, [&] { twk::test::ReplaceDocument(app, std::move(doc)); });
    // With none selected the key moves every item: the whole drawing is
    // painted again.
    app.mainWindow()->lstItems->items().SelectOnly(-1);
    app.canvas().Settle();
    const Stall edit = TimeStall(app, [&] {
      QKeyEvent press(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
      QCoreApplication::sendEvent(app.mainWindow()->imgDraw, &press);
    });
    state.counters["open_stall_ms"] = open.longestMs;
    state.counters["open_done_ms"] = open.doneMs;
    state.counters["edit_stall_ms"] = edit.longestMs;
    state.counters["edit_done_ms"] = edit.doneMs;
    if (state.range(1) != 0) state.counters["sync_paint_ms"] = SyncPaintMs(app);
  }
}

TWKFILE DottedArcs(int count) { return test::TranslucentArcs(count, kDots); }

void BM_PaintStallDottedArcs(benchmark::State& state) { PaintStall(state, DottedArcs); }
void BM_PaintStallOpaqueFills(benchmark::State& state) { PaintStall(state, test::OpaqueFills); }
// Args: item count, 1 to time the paint on the calling thread too (about
// four minutes for the 250,000 arcs).
BENCHMARK(BM_PaintStallDottedArcs)->ArgNames({"items", "sync"})->Args({1000, 1})->Args({25000, 1})->Args({250000, 0})
    ->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintStallOpaqueFills)->ArgNames({"items", "sync"})->Args({1000, 1})->Args({250000, 1})
    ->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_HeldKeyDottedArcs(benchmark::State& state) {
  constexpr int kKeys = 24;
  for (auto _ : state) {
    App app(ScreenScale{});
    app.Start();
    twk::test::ReplaceDocument(app, DottedArcs(static_cast<int>(state.range(0))));
    app.mainWindow()->lstItems->items().SelectOnly(-1);
    app.canvas().Settle(600000);
    std::vector<double> keys;
    for (int k = 0; k < kKeys; ++k) {
      QElapsedTimer clock;
      clock.start();
      QKeyEvent press(QEvent::KeyPress, k < kKeys / 2 ? Qt::Key_Right : Qt::Key_Left, Qt::NoModifier, QString(), true);
      QCoreApplication::sendEvent(app.mainWindow()->imgDraw, &press);
      QCoreApplication::processEvents();
      keys.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
      std::this_thread::sleep_for(std::chrono::milliseconds(33));
    }
    std::sort(keys.begin(), keys.end());
    state.counters["key_median_ms"] = keys[keys.size() / 2];
    state.counters["key_longest_ms"] = keys.back();
  }
}
BENCHMARK(BM_HeldKeyDottedArcs)->ArgName("items")->Arg(25000)->Arg(250000)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace twk
