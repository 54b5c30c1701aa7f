// Edits of many items at once through the real windows, each timed from the
// key to the canvas holding the new pixels.
//
// BM_UndoDeleteAll: Ctrl+Z after deleting every item of the 10,000-item
// icon (the Delete is redone between iterations, untimed).
// BM_PasteItems: Ctrl+V of the 1000 items of the 1000-item icon, copied
// once, which lands them in front of the others (undone between
// iterations, untimed). The clipboard is an in-memory one.

#include <benchmark/benchmark.h>

#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "../BenchDocuments.h"
#include "app/App.h"
#include "app/Clipboard.h"
#include "app/ImageCanvas.h"
#include "gui/GuiTestSupport.h"

namespace twk {
namespace {

class MemoryClipboard : public Clipboard {
 public:
  void Put(const std::vector<ClipboardEntry>& entries) override { held_ = entries; }
  std::string Get(const std::string& mimeType) override {
    for (const ClipboardEntry& entry : held_)
      if (entry.mimeType == mimeType) return entry.bytes;
    return {};
  }

 private:
  std::vector<ClipboardEntry> held_;
};

std::unique_ptr<App> IconApp(int count, Clipboard& clipboard = SystemClipboard()) {
  auto app = std::make_unique<App>(ScreenScale{}, DesktopDialogs(), clipboard);
  app->Start();
  twk::test::ReplaceDocument(*app, bench::IconDocument(count));
  app->mainWindow()->imgDraw->setFocus();
  app->canvas().Settle();
  return app;
}

// A key with Ctrl on the canvas, and the wait for its picture.
bool CtrlKey(App& app, Qt::Key key) {
  QTest::keyClick(app.mainWindow()->imgDraw, key, Qt::ControlModifier);
  return app.canvas().Settle();
}

void BM_UndoDeleteAll(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  auto app = IconApp(count);
  CtrlKey(*app, Qt::Key_A);
  QTest::keyClick(app->mainWindow()->imgDraw, Qt::Key_Delete);
  app->canvas().Settle();
  if (!app->session().doc().CData.empty()) return state.SkipWithError("the Delete left items");
  bool settled = true;
  for (auto _ : state) {
    settled = CtrlKey(*app, Qt::Key_Z) && settled;
    benchmark::DoNotOptimize(app->mainWindow()->imgDraw->image().constBits());
    state.PauseTiming();
    if (app->session().doc().CData.size() != count) state.SkipWithError("the undo did not bring the items back");
    settled = CtrlKey(*app, Qt::Key_Y) && settled;
    state.ResumeTiming();
  }
  if (!settled) state.SkipWithError("the canvas did not settle");
}
BENCHMARK(BM_UndoDeleteAll)->ArgName("items")->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime()
    ->Iterations(3)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_PasteItems(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  MemoryClipboard clipboard;
  auto app = IconApp(count, clipboard);
  CtrlKey(*app, Qt::Key_A);
  CtrlKey(*app, Qt::Key_C);
  bool settled = true;
  for (auto _ : state) {
    settled = CtrlKey(*app, Qt::Key_V) && settled;
    benchmark::DoNotOptimize(app->mainWindow()->imgDraw->image().constBits());
    state.PauseTiming();
    if (app->session().doc().CData.size() != 2 * count) state.SkipWithError("the paste did not add the items");
    settled = CtrlKey(*app, Qt::Key_Z) && settled;
    state.ResumeTiming();
  }
  if (!settled) state.SkipWithError("the canvas did not settle");
}
BENCHMARK(BM_PasteItems)->ArgName("items")->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime()
    ->Iterations(3)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
}  // namespace twk
