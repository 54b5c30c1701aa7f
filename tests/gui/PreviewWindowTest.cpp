// The Preview window: where it opens, how P shows and hides it, that it
// follows the drawing, and that it costs nothing while hidden.

#include <gtest/gtest.h>

#include <QTest>

#include "GuiTestSupport.h"
#include "app/AppCommands.h"
#include "app/ExportCommands.h"
#include "app/ImageCanvas.h"
#include "app/ImageConversion.h"
#include "app/ItemListWidget.h"
#include "app/KeyCommandFilter.h"
#include "app/PreviewWindow.h"
#include "editor/KeyNumbers.h"
#include "render/preview/MagnifiedPicture.h"

#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QTimer>
#include <algorithm>

namespace twk {
namespace {

TEST(PreviewPlacement, OnTheSideWithRoomAndInsideTheScreen) {
  const QRect screen(0, 0, 1280, 800);
  const QSize frame(400, 200);
  struct Case {
    const char* what;
    QRect owner;
    QPoint expected;
  };
  const Case cases[] = {
      {"room on the right", QRect(100, 50, 500, 420), QPoint(600, 50)},
      {"owner near the right edge, room on the left", QRect(700, 50, 500, 420), QPoint(300, 50)},
      {"room on neither side, more on the right", QRect(250, 50, 700, 420), QPoint(880, 50)},
      {"room on neither side, more on the left", QRect(330, 50, 700, 420), QPoint(0, 50)},
      {"owner low on the screen", QRect(100, 700, 500, 420), QPoint(600, 600)},
      {"owner above and left of the screen", QRect(-600, -30, 500, 420), QPoint(0, 0)},
  };
  for (const Case& c : cases) EXPECT_EQ(PlaceBeside(c.owner, frame, screen), c.expected) << c.what;
}

TEST(PreviewKey, PIsACommandOnlyWithoutShiftCtrlOrAlt) {
  test::ScopedWorkDir dir;
  test::ScriptedDialogs dialogs;
  auto app = test::StartedApp(dialogs);
  const CommandRegistry& table = app->commands();
  EXPECT_EQ(CommandNumberForKey(table, Qt::Key_P, Qt::NoModifier), keys::kP);
  for (Qt::KeyboardModifier modifier : {Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier})
    EXPECT_EQ(CommandNumberForKey(table, Qt::Key_P, modifier), 0) << modifier;
}

struct PreviewFixture {
  test::ScopedWorkDir dir;
  test::ScriptedDialogs dialogs;
  std::unique_ptr<App> app = test::StartedApp(dialogs);
  PreviewWindow* preview() { return app->mainWindow()->preview; }
  // Draws a line across the canvas and shows the Preview.
  void DrawALineAndShowThePreview() {
    ImageCanvas* canvas = app->mainWindow()->imgDraw;
    QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(30, 30));
    QTest::mouseMove(canvas, QPoint(250, 200));
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(250, 200));
    app->DispatchCommand(keys::kP);
  }
};

TEST(PreviewWindowTest, PTogglesItFromTheCanvasAndFromTheList) {
  PreviewFixture f;
  for (QWidget* target : {static_cast<QWidget*>(f.app->mainWindow()->imgDraw), static_cast<QWidget*>(f.app->mainWindow()->lstItems)}) {
    target->setFocus();
    QTest::keyClick(target, Qt::Key_P);
    EXPECT_TRUE(f.preview()->isVisible());
    QTest::keyClick(target, Qt::Key_P);
    EXPECT_FALSE(f.preview()->isVisible());
  }
}

TEST(PreviewWindowTest, PDoesNothingWhileTheExportWindowIsOpen) {
  PreviewFixture f;
  OpenExportWindow(ExportPartsOf(*f.app));
  f.app->DispatchCommand(keys::kP);
  EXPECT_FALSE(f.preview()->isVisible());
}

TEST(PreviewWindowTest, KeepsThePlaceTheUserMovedItTo) {
  PreviewFixture f;
  QWidget* owner = f.preview()->parentWidget();
  f.app->DispatchCommand(keys::kP);
  f.app->DispatchCommand(keys::kP);
  owner->move(owner->pos() + QPoint(0, 30));
  f.app->DispatchCommand(keys::kP);  // not moved by the user: follows its owner
  const QPoint beside = f.preview()->pos();
  EXPECT_EQ(beside.y(), owner->frameGeometry().top());

  const QPoint chosen = beside + QPoint(-40, 25);
  f.preview()->move(chosen);
  for (int round = 0; round < 2; ++round) {
    f.app->DispatchCommand(keys::kP);
    owner->move(owner->pos() + QPoint(0, 10));
    f.app->DispatchCommand(keys::kP);
    EXPECT_EQ(f.preview()->pos(), chosen) << round;
  }
}

TEST(PreviewWindowTest, ShowsTheTruePicturesWhileTheExportWindowIsOpen) {
  PreviewFixture f;
  f.DrawALineAndShowThePreview();
  const QImage shown = f.preview()->grab().toImage();
  OpenExportWindow(ExportPartsOf(*f.app));
  EXPECT_EQ(f.preview()->grab().toImage(), shown);
}

TEST(PreviewWindowTest, ClosingHidesItAndPShowsItAgain) {
  PreviewFixture f;
  f.app->DispatchCommand(keys::kP);
  f.preview()->close();
  EXPECT_FALSE(f.preview()->isVisible());
  f.app->DispatchCommand(keys::kP);
  EXPECT_TRUE(f.preview()->isVisible());
}

// The picture a fresh composer makes of the document.
QImage ExpectedPicture(const TWKFILE& doc, int sizeIndex, PreviewGround ground) {
  PreviewComposer fresh;
  fresh.Update(doc);
  return ToQImage(*fresh.Picture(sizeIndex, ground));
}

TEST(PreviewWindowTest, HiddenItPaintsNothingShownItFollowsTheMouse) {
  PreviewFixture f;
  ImageCanvas* canvas = f.app->mainWindow()->imgDraw;
  QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(30, 30));
  QTest::mouseMove(canvas, QPoint(200, 250));
  QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(200, 250));
  QTest::keyClick(canvas, Qt::Key_Right);
  ASSERT_EQ(f.app->session().doc().CData.size(), 1);
  EXPECT_EQ(f.app->preview().itemsPainted(), 0);

  QTest::keyClick(canvas, Qt::Key_P);
  EXPECT_EQ(f.preview()->picture(4, PreviewGround::kDark), ExpectedPicture(f.app->session().doc(), 4, PreviewGround::kDark));
  QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(300, 30));
  QTest::mouseMove(canvas, QPoint(40, 300));
  EXPECT_EQ(f.preview()->picture(4, PreviewGround::kDark), ExpectedPicture(f.app->session().doc(), 4, PreviewGround::kDark));
  EXPECT_EQ(f.app->session().doc().CData.size(), 2);
}

TEST(PreviewWindowTest, ALargeChangeArrivesThroughTheEventLoop) {
  PreviewFixture f;
  TWKFILE doc;
  TWKDATA line;
  line.DrawWidth = 0.5f;
  line.Visible = 1;
  for (int i = 0; i < 200; ++i) {
    line.DrawRGBA = PackRGBA(i, 0, 255 - i, 255);
    line.X1 = static_cast<float>(1 + i % 14), line.Y1 = 2, line.X4 = static_cast<float>(15 - i % 13), line.Y4 = 14;
    doc.CData.append(line);
  }
  twk::test::ReplaceDocument(*f.app, doc);
  f.app->mainWindow()->lstItems->items().SelectOnly(-1);
  f.app->DispatchCommand(keys::kP);
  const QImage before = f.preview()->picture(3, PreviewGround::kLight);
  EXPECT_EQ(before, ExpectedPicture(f.app->session().doc(), 3, PreviewGround::kLight));

  f.app->DispatchCommand(keys::kRight);  // moves every item: painted on the worker
  EXPECT_EQ(f.preview()->picture(3, PreviewGround::kLight), before);
  EXPECT_TRUE(f.preview()->painting());  // the pictures shown are the older ones
  ASSERT_TRUE(f.app->preview().Settle());
  EXPECT_FALSE(f.preview()->painting());
  EXPECT_EQ(f.preview()->picture(3, PreviewGround::kLight), ExpectedPicture(f.app->session().doc(), 3, PreviewGround::kLight));
  EXPECT_NE(f.preview()->picture(3, PreviewGround::kLight), before);
}

TEST(PreviewWindowTest, MinimisedItPaintsNothingUntilPBringsItBack) {
  PreviewFixture f;
  f.app->DispatchCommand(keys::kP);
  f.preview()->showMinimized();
  const long long painted = f.app->preview().itemsPainted();
  QTest::mouseClick(f.app->mainWindow()->imgDraw, Qt::LeftButton, {}, QPoint(30, 30));  // adds and drops an item
  QTest::mousePress(f.app->mainWindow()->imgDraw, Qt::LeftButton, {}, QPoint(50, 50));
  QTest::mouseMove(f.app->mainWindow()->imgDraw, QPoint(250, 120));
  EXPECT_EQ(f.app->preview().itemsPainted(), painted);
  f.app->DispatchCommand(keys::kP);
  EXPECT_TRUE(f.preview()->isShowing());
  EXPECT_EQ(f.preview()->picture(0, PreviewGround::kLight), ExpectedPicture(f.app->session().doc(), 0, PreviewGround::kLight));
}

// The labels of `window` showing a picture of `size` x `size` pixels.
std::vector<QImage> ShownAt(QWidget* window, int size) {
  std::vector<QImage> shown;
  for (QLabel* label : window->findChildren<QLabel*>()) {
    const QPixmap pixmap = label->pixmap();
    if (!pixmap.isNull() && pixmap.width() == size) shown.push_back(pixmap.toImage().convertToFormat(QImage::Format_RGB32));
  }
  return shown;
}

// Magnified by the keys 1, 2, 4, 8 (and the popup menu) once clicked; other
// keys still reach the main window; the pointer's place on the canvas shows
// in units while it is over the canvas.
TEST(PreviewWindowTest, MagnifiesByKeyAndMenuAndTellsThePointersPlace) {
  PreviewFixture f;
  f.DrawALineAndShowThePreview();
  ImageCanvas* canvas = f.app->mainWindow()->imgDraw;
  PreviewWindow* preview = f.preview();
  QTest::mouseClick(preview, Qt::LeftButton, {}, QPoint(2, 2));
  QTest::keyClick(preview, Qt::Key_4);
  EXPECT_EQ(preview->magnification(), 4);
  PreviewComposer fresh;
  fresh.Update(f.app->session().doc());
  const QImage expected =
      ToQImage(*MagnifiedPicture(*fresh.Picture(0, PreviewGround::kLight), 4)).convertToFormat(QImage::Format_RGB32);
  const std::vector<QImage> shown = ShownAt(preview, 64);
  EXPECT_NE(std::find(shown.begin(), shown.end(), expected), shown.end());
  EXPECT_GE(preview->width(), 4 * (16 + 24 + 32 + 48 + 64));

  // The popup menu's x8.
  QTimer::singleShot(0, [] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    for (QAction* action : menu->actions())
      if (action->text() == "x8") action->trigger();
    menu->close();
  });
  QContextMenuEvent menuAsked(QContextMenuEvent::Mouse, QPoint(5, 5), preview->mapToGlobal(QPoint(5, 5)));
  QApplication::sendEvent(preview, &menuAsked);
  EXPECT_EQ(preview->magnification(), 8);
  QTest::keyClick(preview, Qt::Key_1);
  EXPECT_EQ(preview->magnification(), 1);
  const std::uint8_t shape = f.app->session().state().CurType;
  QTest::keyClick(preview, Qt::Key_T);  // the main window's next shape
  EXPECT_NE(f.app->session().state().CurType, shape);

  const float ppu = f.app->session().pixelsPerUnitX;
  QTest::mouseMove(canvas, QPoint(static_cast<int>(3.125f * ppu), static_cast<int>(7.45f * ppu)));
  EXPECT_EQ(preview->pointerText(), "Pointer: x 3.125, y 7.5 units");
  QEvent left(QEvent::Leave);
  QApplication::sendEvent(canvas, &left);
  EXPECT_EQ(preview->pointerText(), "");
}

}  // namespace
}  // namespace twk
