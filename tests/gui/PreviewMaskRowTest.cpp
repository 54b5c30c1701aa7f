// The Preview's mask row follows the drawing as it is drawn, over the
// icon sets' ground colour, and marks a drawing that leaves a safe circle.

#include <gtest/gtest.h>

#include <QTest>

#include "GuiTestSupport.h"
#include "app/ImageCanvas.h"
#include "app/ImageConversion.h"
#include "app/PreviewMaskRow.h"
#include "app/PreviewWindow.h"
#include "editor/KeyNumbers.h"
#include "export/MaskPreview.h"

namespace twk {
namespace {

TEST(PreviewMaskRow, FollowsTheDrawingOverTheGroundAndMarksWhatLeavesTheSafeCircle) {
  test::ScopedWorkDir dir;
  test::ScriptedDialogs dialogs;
  std::unique_ptr<App> app = test::StartedApp(dialogs);
  app->config().IconGround = PackRGBA(0x20, 0x40, 0x80, 255);
  PreviewMaskRow* row = app->mainWindow()->preview->maskRow();
  app->DispatchCommand(keys::kP);
  const auto expected = [&](MaskCell cell) {
    return ToQImage(*MakeMaskPreview(app->session().doc(), PackRGBA(0x20, 0x40, 0x80, 255), EdgeFit::kAsDrawn).Cell(cell));
  };
  // A short line in the middle, drawn with the mouse: each cell follows.
  ImageCanvas* canvas = app->mainWindow()->imgDraw;
  QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(120, 120));
  QTest::mouseMove(canvas, QPoint(200, 160));
  QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(200, 160));
  QTest::qWait(50);
  ASSERT_EQ(app->session().doc().CData.size(), 1);
  for (std::size_t i = 0; i < kMaskCells; ++i)
    EXPECT_EQ(row->picture(static_cast<MaskCell>(i)), expected(static_cast<MaskCell>(i))) << i;
  EXPECT_NE(row->picture(MaskCell::kIos), ToQImage(*MakeMaskPreview({}, app->config().IconGround,
                                                                    EdgeFit::kAsDrawn).Cell(MaskCell::kIos)));
  EXPECT_FALSE(row->marked(MaskCell::kAndroidCircle));

  // Dragged out to the corners of the area: the Android cells are marked.
  QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(1, 1));
  QTest::mouseMove(canvas, QPoint(canvas->width() - 2, canvas->height() - 2));
  QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(canvas->width() - 2, canvas->height() - 2));
  QTest::qWait(50);
  EXPECT_TRUE(row->marked(MaskCell::kAndroidCircle));
  EXPECT_FALSE(row->marked(MaskCell::kIos));
  EXPECT_EQ(row->picture(MaskCell::kAndroidCircle), expected(MaskCell::kAndroidCircle));
}

}  // namespace
}  // namespace twk
