// A move key pressed on the real canvas widget, on the 1000-item icon. The key
// acts on the front item (the item just drawn), on an item in the middle of
// the list, or, with no selection, on every item.
//
// BM_MoveKey: key commands back to back, as from a held key, each from the
// key event to the canvas holding the new pixels, with the events a running
// loop would deliver in between (the preview's finished pictures among
// them), with the Preview window hidden and shown. Large preview changes are
// painted on a low-priority worker meanwhile.
// BM_MoveKeyEveryItem: the same with nothing selected, up and down or
// sideways, each key to the canvas pixels.
// BM_FirstKeyAfterPaste: the first key after one item is pasted at the
// front, on the pasted item or on the item selected before the paste, to
// the canvas showing the new picture (however it is painted).
// BM_PreviewCatchUp: after such a burst of keys, from the last key to the
// Preview window showing the pictures of the final state.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QTest>
#include <chrono>
#include <memory>

#include "../BenchDocuments.h"
#include "app/App.h"
#include "app/Clipboard.h"
#include "gui/GuiTestSupport.h"
#include "app/ImageCanvas.h"
#include "app/ItemListWidget.h"
#include "app/PreviewWindow.h"
#include "editor/KeyNumbers.h"
#include "persist/ItemClipboard.h"

namespace twk {
namespace {

// A started program on the icon, `row` selected (-1: none), preview shown or
// not, at a screen scale.
std::unique_ptr<App> IconApp(int count, int row, bool previewShown, float scale = 1,
                             Clipboard& clipboard = SystemClipboard()) {
  auto app = std::make_unique<App>(ScreenScale{scale, scale}, DesktopDialogs(), clipboard);
  app->Start();
  twk::test::ReplaceDocument(*app, bench::IconDocument(count));
  app->mainWindow()->lstItems->items().SelectOnly(row);
  if (previewShown) app->DispatchCommand(keys::kP);
  app->mainWindow()->imgDraw->setFocus();
  return app;
}

// One arrow key, right and left in turn, and the events it leaves behind.
void PressMoveKey(App& app, bool& right) {
  QKeyEvent press(QEvent::KeyPress, right ? Qt::Key_Right : Qt::Key_Left, Qt::NoModifier);
  QCoreApplication::sendEvent(app.mainWindow()->imgDraw, &press);
  right = !right;
  QCoreApplication::processEvents();
}

void MoveKeys(benchmark::State& state, int count, int row, bool previewShown, float scale) {
  auto app = IconApp(count, row, previewShown, scale);
  bool right = true;
  for (auto _ : state) {
    PressMoveKey(*app, right);
    benchmark::DoNotOptimize(app->mainWindow()->imgDraw->image().constBits());
  }
  state.counters["preview_shown"] = app->mainWindow()->preview->isShowing() ? 1 : 0;
  state.counters["settled"] = app->preview().Settle() ? 1 : 0;
  state.counters["preview_items"] = static_cast<double>(app->preview().itemsPainted());
}

// Args: item count, selected row (-1: none, so every item moves), preview shown.
void BM_MoveKey(benchmark::State& state) {
  MoveKeys(state, static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), state.range(2) != 0, 1.0f);
}
BENCHMARK(BM_MoveKey)->ArgNames({"items", "row", "preview"})
    ->Args({1000, 0, 0})->Args({1000, 0, 1})
    ->Args({1000, 500, 0})->Args({1000, 500, 1})
    ->Args({1000, -1, 0})->Args({1000, -1, 1})
    ->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);

// Arrow keys with nothing selected, so every item moves, as from a held key:
// runs of kRun keys one way and then back, each key timed from its event to
// the canvas showing the new pixels (however they are painted). Arg: 0 for
// down and up, 1 for right and left.
void BM_MoveKeyEveryItem(benchmark::State& state) {
  constexpr int kRun = 16;
  auto app = IconApp(1000, -1, false);
  const bool sideways = state.range(0) != 0;
  const Qt::Key ahead = sideways ? Qt::Key_Right : Qt::Key_Down, back = sideways ? Qt::Key_Left : Qt::Key_Up;
  int pressed = 0;
  bool settled = true;
  auto press = [&] {
    QKeyEvent key(QEvent::KeyPress, (pressed++ / kRun) % 2 == 0 ? ahead : back, Qt::NoModifier);
    QCoreApplication::sendEvent(app->mainWindow()->imgDraw, &key);
    settled = app->canvas().Settle() && settled;
  };
  // The key held a moment already: the first keys after the document is
  // shown paint whole pictures, whoever keeps them.
  for (int k = 0; k < 4; ++k) press();
  for (auto _ : state) {
    press();
    benchmark::DoNotOptimize(app->mainWindow()->imgDraw->image().constBits());
  }
  if (!settled) state.SkipWithError("the canvas did not settle");
}
BENCHMARK(BM_MoveKeyEveryItem)->ArgName("sideways")->Arg(0)->Arg(1)
    ->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);

// The same on a screen of more dots per inch. Args: item count, selected
// row, screen scale in percent.
void BM_MoveKeyScaled(benchmark::State& state) {
  MoveKeys(state, static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), false,
           static_cast<float>(state.range(2)) / 100);
}
BENCHMARK(BM_MoveKeyScaled)->ArgNames({"items", "row", "scale%"})->Args({1000, 500, 200})
    ->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);

// The first key after another item is picked: rows 500 and 501 in turn, so
// the canvas keeps new layers for each and the pictures of the items in
// front are reused. Args: dropped, 1 when the kept pictures are dropped
// before each key, as after a load; rest, 1 when the key comes after the
// selection has rested (a pause the user's hand takes anyway), untimed.
void BM_FirstKeyAfterPicking(benchmark::State& state) {
  auto app = IconApp(1000, 500, false);
  bool right = true;
  PressMoveKey(*app, right);
  int row = 500;
  for (auto _ : state) {
    state.PauseTiming();
    row = row == 500 ? 501 : 500;
    app->mainWindow()->lstItems->items().SelectOnly(row);
    if (state.range(0) != 0) app->canvas().DropCache();
    if (state.range(1) != 0) QTest::qWait(300);
    state.ResumeTiming();
    PressMoveKey(*app, right);
    benchmark::DoNotOptimize(app->mainWindow()->imgDraw->image().constBits());
  }
}
BENCHMARK(BM_FirstKeyAfterPicking)->ArgNames({"dropped", "rest"})->Args({0, 0})->Args({1, 0})->Args({1, 1})
    ->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);

// A clipboard that holds one text of items.
class HeldItems : public Clipboard {
 public:
  explicit HeldItems(std::string text) : text_(std::move(text)) {}
  void Put(const std::vector<ClipboardEntry>&) override {}
  std::string Get(const std::string& mimeType) override { return mimeType == kItemsMimeType ? text_ : ""; }

 private:
  std::string text_;
};

// Row 500 has had a key, so the canvas keeps the pictures of the items in
// front of it; then one item is pasted at the front (a copy of item 10, the
// paste undone after each key). Args: reselect, 0 for the key on the pasted
// item (the paste selects it), 1 for the key on the item selected before,
// picked again (now row 501).
void BM_FirstKeyAfterPaste(benchmark::State& state) {
  TWKFILE one;
  one.CData.append(*bench::IconDocument(1000).CData.at(10));
  HeldItems clipboard(ItemsToClipboardText(one));
  auto app = IconApp(1000, 500, false, 1, clipboard);
  ItemList& rows = app->mainWindow()->lstItems->items();
  bool right = true;
  PressMoveKey(*app, right);
  for (auto _ : state) {
    state.PauseTiming();
    app->DispatchCommand(keys::kPaste);
    if (state.range(0) != 0) rows.SelectOnly(501);
    state.ResumeTiming();
    PressMoveKey(*app, right);
    if (!app->canvas().Settle()) state.SkipWithError("the canvas did not settle");
    state.PauseTiming();
    app->DispatchCommand(keys::kUndo);  // the key
    app->DispatchCommand(keys::kUndo);  // the paste
    rows.SelectOnly(500);
    PressMoveKey(*app, right);
    (void)app->canvas().Settle();
    state.ResumeTiming();
  }
  if (app->session().doc().CData.size() != 1000) state.SkipWithError("the paste was not undone");
  state.counters["canvas_width"] = app->mainWindow()->imgDraw->image().width();
}
BENCHMARK(BM_FirstKeyAfterPaste)->ArgName("reselect")->Arg(0)->Arg(1)
    ->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);

// Args: item count, selected row. Each iteration presses kBurst keys back to
// back and times only the wait after the last one.
void BM_PreviewCatchUp(benchmark::State& state) {
  constexpr int kBurst = 8;
  auto app = IconApp(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), true);
  bool right = true;
  bool settled = true;
  for (auto _ : state) {
    for (int i = 0; i < kBurst; ++i) PressMoveKey(*app, right);
    const auto start = std::chrono::steady_clock::now();
    settled = app->preview().Settle() && settled;
    state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  if (!settled) state.SkipWithError("the preview did not catch up");
}
BENCHMARK(BM_PreviewCatchUp)->ArgNames({"items", "row"})->Args({1000, 500})->Args({1000, -1})
    ->Unit(benchmark::kMillisecond)->UseManualTime()->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
}  // namespace twk
