// A press with Shift held draws on cell corners.

#include <gtest/gtest.h>

#include "GuiTestSupport.h"
#include "app/ImageCanvas.h"

namespace twk {
namespace {

TEST(HalfUnitSnapGui, AShiftPressDrawsFromCornerToCorner) {
  test::ScopedWorkDir dir;
  test::ScriptedDialogs dialogs;
  auto app = test::StartedApp(dialogs);
  ImageCanvas* canvas = app->mainWindow()->imgDraw;
  QTest::mousePress(canvas, Qt::LeftButton, Qt::ShiftModifier, QPoint(41, 59));
  QTest::mouseMove(canvas, QPoint(190, 130));
  QTest::mouseRelease(canvas, Qt::LeftButton, Qt::ShiftModifier, QPoint(190, 130));
  ASSERT_EQ(app->session().doc().CData.size(), 1);
  const TWKDATA& line = *app->session().doc().CData.at(0);
  EXPECT_EQ(line.X1, 2.0f);
  EXPECT_EQ(line.Y1, 3.0f);
  EXPECT_EQ(line.X4, 9.5f);
  EXPECT_EQ(line.Y4, 6.5f);
  // Shift+1 on the main keyboard, by its key code as a real keyboard sends
  // it ("!"), fixes the start on a corner.
  QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(50, 50));
  QTest::mouseMove(canvas, QPoint(99, 61));
  QKeyEvent shiftOne(QEvent::KeyPress, Qt::Key_Exclam, Qt::ShiftModifier, 10, 0, 0, QStringLiteral("!"));
  QApplication::sendEvent(canvas, &shiftOne);
  EXPECT_EQ(app->session().doc().CData.at(0)->X1, 5.0f);
  EXPECT_EQ(app->session().doc().CData.at(0)->Y1, 3.0f);
  QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(99, 61));
}

}  // namespace
}  // namespace twk
