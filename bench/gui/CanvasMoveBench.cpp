// From a mouse move event on the real canvas widget to the canvas holding the
// new picture, and with the Preview window shown to its ten pictures holding
// theirs too, while an item is drawn over the 100- and 1000-item icons.
// Runs on Qt's offscreen platform unless another one is chosen.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>

#include "../BenchDocuments.h"
#include "app/App.h"
#include "gui/GuiTestSupport.h"
#include "app/ImageCanvas.h"
#include "app/PreviewWindow.h"
#include "editor/KeyNumbers.h"

namespace twk {
namespace {

void BM_CanvasMouseMove(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  App app(ScreenScale{});
  app.Start();
  twk::test::ReplaceDocument(app, bench::IconDocument(count));
  const bool previewShown = state.range(1) != 0;
  if (previewShown) app.DispatchCommand(keys::kP);
  ImageCanvas* canvas = app.mainWindow()->imgDraw;
  app.session().state().CurType = kEllipse;
  QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(150, 150));
  int step = 0;
  for (auto _ : state) {
    ++step;
    const QPointF pos(40 + (step * 37) % 260, 30 + (step * 53) % 270);
    QMouseEvent move(QEvent::MouseMove, pos, canvas->mapToGlobal(pos), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(canvas, &move);
    benchmark::DoNotOptimize(canvas->image().constBits());
    if (previewShown) benchmark::DoNotOptimize(app.mainWindow()->preview->picture(4, PreviewGround::kDark).constBits());
  }
  QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(150, 150));
  state.counters["items"] = app.session().doc().CData.size();
  state.counters["preview_shown"] = app.mainWindow()->preview->isShowing() ? 1 : 0;
  state.counters["from_file"] = bench::IconFromFile(count) ? 1 : 0;
}
BENCHMARK(BM_CanvasMouseMove)->ArgNames({"items", "preview"})
    ->Args({100, 0})->Args({100, 1})->Args({1000, 0})->Args({1000, 1})
    ->Unit(benchmark::kMicrosecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
}  // namespace twk

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
  QApplication application(argc, argv);
  QTemporaryDir workDir;  // the started program reads and writes Tarnwick.cfg here
  QDir::setCurrent(workDir.path());
  QTemporaryDir stateDir;  // and keeps its recovery copies here
  qputenv("XDG_STATE_HOME", stateDir.path().toLocal8Bit());
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  QDir::setCurrent(QDir::tempPath());
  return 0;
}
