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
#include "gui/TestApp.h"

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

std::unique_ptr<TestApp> IconApp(int count) {
  auto app = std::make_unique<TestApp>(ScreenScale{});
  app->Start();
  app->ReplaceDocument(bench::IconDocument(count));
  app->imgDraw()->setFocus();
  app->SettleCanvas();
  return app;
}

// A key with Ctrl on the canvas, and the wait for its picture.
bool CtrlKey(TestApp& app, Qt::Key key) {
  QTest::keyClick(app.imgDraw(), key, Qt::ControlModifier);
  return app.SettleCanvas();
}

void BM_UndoDeleteAll(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  auto app = IconApp(count);
  CtrlKey(*app, Qt::Key_A);
  QTest::keyClick(app->imgDraw(), Qt::Key_Delete);
  app->SettleCanvas();
  if (!app->doc().CData.empty()) return state.SkipWithError("the Delete left items");
  bool settled = true;
  for (auto _ : state) {
    settled = CtrlKey(*app, Qt::Key_Z) && settled;
    benchmark::DoNotOptimize(app->imgDraw()->image().constBits());
    state.PauseTiming();
    if (app->doc().CData.size() != count) state.SkipWithError("the undo did not bring the items back");
    settled = CtrlKey(*app, Qt::Key_Y) && settled;
    state.ResumeTiming();
  }
  if (!settled) state.SkipWithError("the canvas did not settle");
}
BENCHMARK(BM_UndoDeleteAll)->ArgName("items")->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime()
    ->Iterations(3)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_PasteItems(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  auto app = IconApp(count);
  MemoryClipboard clipboard;
  app->setClipboard(&clipboard);
  CtrlKey(*app, Qt::Key_A);
  CtrlKey(*app, Qt::Key_C);
  bool settled = true;
  for (auto _ : state) {
    settled = CtrlKey(*app, Qt::Key_V) && settled;
    benchmark::DoNotOptimize(app->imgDraw()->image().constBits());
    state.PauseTiming();
    if (app->doc().CData.size() != 2 * count) state.SkipWithError("the paste did not add the items");
    settled = CtrlKey(*app, Qt::Key_Z) && settled;
    state.ResumeTiming();
  }
  app->setClipboard(nullptr);
  if (!settled) state.SkipWithError("the canvas did not settle");
}
BENCHMARK(BM_PasteItems)->ArgName("items")->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime()
    ->Iterations(3)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
}  // namespace twk
