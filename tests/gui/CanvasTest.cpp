// Drawing on imgDraw with the mouse: positions in canvas pixels, confined to
// the canvas while the button is held.

#include <gtest/gtest.h>

#include "GuiTestSupport.h"
#include "app/ImageCanvas.h"
#include "app/ItemListWidget.h"

namespace twk {
namespace {

TEST(CanvasTest, PressMoveReleaseDrawsAListedLine) {
  test::ScopedWorkDir dir;
  test::ScriptedDialogs dialogs;
  auto app = test::StartedApp(dialogs);
  ImageCanvas* canvas = app->mainWindow()->imgDraw;
  QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(50, 50));
  QTest::mouseMove(canvas, QPoint(190, 130));
  QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(190, 130));
  ASSERT_EQ(app->session().doc().CData.size(), 1);
  const TWKDATA& line = *app->session().doc().CData.at(0);
  EXPECT_EQ(line.X1, 2.5f);
  EXPECT_EQ(line.Y1, 2.5f);
  EXPECT_EQ(line.X4, 9.5f);
  EXPECT_EQ(line.Y4, 6.5f);
  EXPECT_EQ(app->mainWindow()->lstItems->items().RowText(0), "Line");
  EXPECT_TRUE(app->mainWindow()->lstItems->items().GetRowState(0).selected);
  // The picture shows the black line over the grid.
  EXPECT_EQ(QColor(canvas->image().pixel(120, 90)), QColor(0, 0, 0));
}

TEST(CanvasTest, PositionsAreClampedToTheCanvasWhileTheButtonIsHeld) {
  test::ScopedWorkDir dir;
  test::ScriptedDialogs dialogs;
  auto app = test::StartedApp(dialogs, ScreenScale{1.25f, 1.25f});
  ImageCanvas* canvas = app->mainWindow()->imgDraw;
  std::vector<QPoint> reported;
  auto draw = canvas->onMove;
  canvas->onMove = [&](QPoint p) {
    reported.push_back(p);
    draw(p);
  };
  QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(30, 30));
  QTest::mouseMove(canvas, QPoint(900, -40));
  QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(900, -40));
  ASSERT_FALSE(reported.empty());
  EXPECT_EQ(reported.back(), QPoint(399, 0));
  ASSERT_EQ(app->session().doc().CData.size(), 1);
  EXPECT_EQ(app->session().doc().CData.at(0)->X4, 15.5f);  // ceil(399 / 25) - 0.5
  EXPECT_EQ(app->session().doc().CData.at(0)->Y4, -0.5f);
}

TEST(CanvasTest, RightButtonDrawsNothing) {
  test::ScopedWorkDir dir;
  test::ScriptedDialogs dialogs;
  auto app = test::StartedApp(dialogs);
  QTest::mousePress(app->mainWindow()->imgDraw, Qt::RightButton, {}, QPoint(50, 50));
  EXPECT_FALSE(app->session().state().Constructing);
  QTest::mouseRelease(app->mainWindow()->imgDraw, Qt::RightButton, {}, QPoint(90, 90));
  EXPECT_TRUE(app->session().doc().CData.empty());
}

}  // namespace
}  // namespace twk
