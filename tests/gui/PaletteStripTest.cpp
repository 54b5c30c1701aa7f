// Picking and redefining palette colours with the mouse on imgPalette.

#include <gtest/gtest.h>

#include "GuiTestSupport.h"
#include "app/ImageCanvas.h"
#include "document/Colour.h"

namespace twk {
namespace {

class PaletteStripTest : public testing::Test {
 protected:
  void SetUp() override {
    app = test::StartedApp(dialogs);
    strip = app->mainWindow()->imgPalette;
    // Distinct colours, so each slot can be told apart.
    for (int i = 0; i < 24; ++i) app->config().Palette[static_cast<std::size_t>(i)] = PackRGBA(i * 10, 5, 7, 0);
    app->palette().Draw();
  }
  void Release(Qt::MouseButton button, int x) { QTest::mouseRelease(strip, button, {}, QPoint(x, 10)); }
  std::int32_t Slot(int i) const { return app->config().Palette[static_cast<std::size_t>(i)]; }

  test::ScopedWorkDir dir;
  test::ScriptedDialogs dialogs;
  std::unique_ptr<App> app;
  ImageCanvas* strip = nullptr;
};

TEST_F(PaletteStripTest, LeftReleasePicksTheSlotUnderThePointer) {
  const int w = strip->width();
  Release(Qt::LeftButton, w - 1);
  EXPECT_EQ(app->session().state().CurRGB, Slot(23));
  Release(Qt::LeftButton, 0);
  EXPECT_EQ(app->session().state().CurRGB, Slot(0));
  Release(Qt::LeftButton, 100);  // 100 / 19.375 = 5.16
  EXPECT_EQ(app->session().state().CurRGB, Slot(5));
  // A little left of the strip still truncates to slot 0.
  Release(Qt::LeftButton, 200);
  Release(Qt::LeftButton, -5);
  EXPECT_EQ(app->session().state().CurRGB, Slot(0));
  EXPECT_TRUE(dialogs.colourRequests.empty());
}

TEST_F(PaletteStripTest, ReleaseOutsideTheSlotsChangesNothing) {
  Release(Qt::LeftButton, 100);
  const std::int32_t before = app->session().state().CurRGB;
  Release(Qt::LeftButton, strip->width() + 30);
  Release(Qt::LeftButton, -40);
  Release(Qt::RightButton, strip->width() + 30);
  EXPECT_EQ(app->session().state().CurRGB, before);
  EXPECT_TRUE(dialogs.colourRequests.empty());
}

TEST_F(PaletteStripTest, PressesAndTheMiddleButtonDoNothing) {
  Release(Qt::LeftButton, 100);
  QTest::mousePress(strip, Qt::LeftButton, {}, QPoint(300, 10));
  Release(Qt::MiddleButton, 300);
  EXPECT_EQ(app->session().state().CurRGB, Slot(5));
}

TEST_F(PaletteStripTest, RightReleaseRedefinesTheSlotThroughTheColourChooser) {
  dialogs.colours.push_back(QColor(12, 34, 56));
  Release(Qt::RightButton, 62);  // slot 3
  ASSERT_EQ(dialogs.colourRequests.size(), 1u);
  EXPECT_EQ(dialogs.colourRequests[0], QColor(30, 5, 7));
  EXPECT_EQ(Slot(3), PackRGBA(12, 34, 56, 0));
  EXPECT_EQ(app->session().state().CurRGB, PackRGBA(12, 34, 56, 0));
  EXPECT_EQ(QColor(strip->image().pixel(59, 10)), QColor(12, 34, 56));

  // Cancelling changes nothing.
  Release(Qt::RightButton, 0);
  EXPECT_EQ(Slot(0), PackRGBA(0, 5, 7, 0));
  EXPECT_EQ(app->session().state().CurRGB, PackRGBA(12, 34, 56, 0));
}

TEST_F(PaletteStripTest, PickingChangesNeitherTitleNorCanvas) {
  const QString title = app->mainWindow()->windowTitle();
  const int redraws = app->canvas().redrawCount();
  Release(Qt::LeftButton, 200);
  EXPECT_EQ(app->mainWindow()->windowTitle(), title);
  EXPECT_EQ(app->canvas().redrawCount(), redraws);
}

}  // namespace
}  // namespace twk
