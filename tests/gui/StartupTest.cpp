// The state right after start-up, and the end of a run.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileInfo>

#include "GuiTestSupport.h"
#include "app/AppCommands.h"
#include "app/ExportCommands.h"
#include "app/ExportWindow.h"
#include "app/ImageCanvas.h"
#include "app/MainWindow.h"
#include "document/Colour.h"

namespace twk {
namespace {

TEST(StartupTest, StartsWithTheToolSettingsTitleAndAnEmptyDocument) {
  test::ScopedWorkDir dir;
  test::ScriptedDialogs dialogs;
  auto app = test::StartedApp(dialogs);
  EXPECT_EQ(app->mainWindow()->windowTitle(), QString("Tarnwick :: line, solid + square (1.00), opacity: 100%"));
  EXPECT_TRUE(app->mainWindow()->isVisible());

  EXPECT_EQ(app->session().doc().TWKW, 16.0f);
  EXPECT_EQ(app->session().doc().TWKH, 16.0f);
  EXPECT_TRUE(app->session().doc().CData.empty());
  const EditorState& s = app->session().state();
  EXPECT_EQ(s.CurType, 0);
  EXPECT_EQ(s.CurDrawMethod, 0);
  EXPECT_EQ(s.CurDrawMethod2, 0);
  EXPECT_EQ(s.CurDrawWidth, 1.0f);
  EXPECT_EQ(s.CurAlpha, 255);
  EXPECT_EQ(s.CurRGB, 0);
  EXPECT_FALSE(s.Constructing);
  EXPECT_EQ(app->session().pixelsPerUnitX, 20.0f);
  EXPECT_FALSE((app->session().rowDrag.row >= 0));
  EXPECT_FALSE(app->exportWindowOpen());
  EXPECT_EQ(app->config().valid, 1);
  EXPECT_EQ(app->config().Palette.size(), 24u);
}

TEST(StartupTest, CanvasShowsTheGridAndHasTheFocus) {
  test::ScopedWorkDir dir;
  test::ScriptedDialogs dialogs;
  auto app = test::StartedApp(dialogs);
  ASSERT_TRUE(QTest::qWaitForWindowActive(app->mainWindow()));
  EXPECT_EQ(QApplication::focusWidget(), app->mainWindow()->imgDraw);
  EXPECT_TRUE(app->mainWindow()->imgDraw->hasFocus());

  ASSERT_NE(app->canvas().grid(), nullptr);
  const QImage shown = app->mainWindow()->imgDraw->image();
  ASSERT_EQ(shown.size(), QSize(320, 320));
  EXPECT_EQ(QColor(shown.pixel(0, 0)), QColor(206, 206, 206));  // cell outline
  EXPECT_EQ(QColor(shown.pixel(10, 10)), QColor(255, 255, 255));
  EXPECT_GE(app->canvas().redrawCount(), 1);
}

TEST(StartupTest, PaletteStripIsPaintedAtStart) {
  test::ScopedWorkDir dir;
  test::ScriptedDialogs dialogs;
  auto app = test::StartedApp(dialogs);
  const QImage strip = app->mainWindow()->imgPalette->image();
  ASSERT_EQ(strip.size(), QSize(465, 20));
  // Slot 3 of the default palette is red; its cell starts at x = 58.
  EXPECT_EQ(QColor(strip.pixel(62, 10)), QColor(255, 0, 0));
  // Separator at the slot's left edge and the black band on top.
  EXPECT_EQ(QColor(strip.pixel(58, 10)), QColor(0, 0, 0));
  EXPECT_EQ(QColor(strip.pixel(62, 0)), QColor(0, 0, 0));
}

TEST(StartupTest, ClosingTheMainWindowAsksNothingAndTheRunEndsWithTheConfiguration) {
  test::ScopedWorkDir dir;
  test::ScriptedDialogs dialogs;
  auto app = test::StartedApp(dialogs);
  app->session().doc().CData.append(TWKDATA{});
  bool closing = false;
  app->mainWindow()->closing = [&] { closing = true; };
  EXPECT_TRUE(app->mainWindow()->close());
  EXPECT_TRUE(closing);
  EXPECT_TRUE(dialogs.questions.empty());
  EXPECT_TRUE(dialogs.fileRequests.empty());
  EXPECT_FALSE(QFileInfo::exists("Tarnwick.cfg"));
  app->Shutdown();
  EXPECT_TRUE(QFileInfo::exists("Tarnwick.cfg"));
}

TEST(StartupTest, ExportWindowCloseButtonActsLikeCancelAndKeepsTheProgram) {
  test::ScopedWorkDir dir;
  test::ScriptedDialogs dialogs;
  auto app = test::StartedApp(dialogs);
  bool mainClosing = false;
  app->mainWindow()->closing = [&] { mainClosing = true; };
  OpenExportWindow(ExportPartsOf(*app));
  ASSERT_TRUE(app->exportWindowOpen());
  app->exportWindow()->close();
  EXPECT_FALSE(mainClosing);
  EXPECT_TRUE(app->mainWindow()->isVisible());
  EXPECT_FALSE(app->exportWindow()->isVisible());
  EXPECT_FALSE(app->exportWindowOpen());
  EXPECT_TRUE(app->mainWindow()->isEnabled());
}

}  // namespace
}  // namespace twk
