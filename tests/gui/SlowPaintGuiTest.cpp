// A drawing whose repaint takes far longer than a frame (each band of the
// paint held up on purpose) is painted off the GUI thread: the window keeps
// the last picture with "Painting..." over it, takes keys meanwhile, shows
// the finished picture whole, and a close ends the editor at once.

#include <gtest/gtest.h>

#include <QElapsedTimer>

#include "GuiTestSupport.h"
#include "app/ImageCanvas.h"
#include "app/ItemListWidget.h"
#include "app/ImageConversion.h"
#include "render/HostileDrawings.h"
#include "tasks/PaintCancel.h"
#include "render/SceneRenderer.h"

namespace twk {
namespace {

// Every band of a paint that can be given up waits this long first.
class SlowBands {
 public:
  explicit SlowBands(int ms) { PaintCancel::SetBandDelayForTesting(ms); }
  ~SlowBands() { PaintCancel::SetBandDelayForTesting(0); }
};

TEST(SlowPaintTest, TheWindowStaysLiveWhileALargeDrawingPaintsAndShowsItWhole) {
  test::ScopedWorkDir dir;
  test::ScriptedDialogs dialogs;
  auto app = test::StartedApp(dialogs);
  ImageCanvas* canvas = app->mainWindow()->imgDraw;
  const QImage grid = canvas->image();
  SlowBands slow(300);
  // 200 three-turn stroked arcs: past a frame's budget at the canvas scale.
  twk::test::ReplaceDocument(*app, test::TranslucentArcs(200, kSolid));
  // With none selected a key moves every item, and the marks go at once.
  app->mainWindow()->lstItems->items().SelectOnly(-1);
  ASSERT_TRUE(app->canvas().painting());
  EXPECT_TRUE(canvas->painting());
  EXPECT_EQ(canvas->image(), grid);  // the last picture, never half of the new one

  // A key is handled while the paint runs, and its change is what gets painted.
  const float x1 = app->session().doc().CData.at(199)->X1;
  QTest::keyClick(canvas, Qt::Key_Right);
  EXPECT_GT(app->session().doc().CData.at(199)->X1, x1);
  EXPECT_TRUE(canvas->painting());
  ASSERT_TRUE(app->canvas().Settle());
  EXPECT_FALSE(canvas->painting());
  const auto full = ComposeCanvas(*app->canvas().grid(), app->session().doc(), app->session().pixelsPerUnitX,
                                  app->session().pixelsPerUnitY);
  ASSERT_NE(full, nullptr);
  EXPECT_EQ(canvas->image(), ToQImage(*full));

  // Closed while a paint of many seconds runs, the editor ends within a second.
  SlowBands slower(60000);
  QTest::keyClick(canvas, Qt::Key_Left);
  ASSERT_TRUE(app->canvas().painting());
  QTest::qWait(50);  // the paint is under way
  QElapsedTimer clock;
  clock.start();
  app->mainWindow()->close();
  app->Shutdown();
  app.reset();
  EXPECT_LT(clock.elapsed(), 1000);
}

}  // namespace
}  // namespace twk
