// Drawing and the keyboard commands through real mouse and key events on the
// started main window, counting the canvas redraws.

#include <gtest/gtest.h>

#include <QTest>
#include <QTreeWidget>

#include "GuiTestSupport.h"
#include "app/ImageCanvas.h"
#include "document/Colour.h"
#include "app/ItemListWidget.h"

namespace twk::test {
namespace {

// The canvas pixel inside the cell whose centre is (x, y), at scale 1.
QPoint Cell(float x, float y) {
  return QPoint(static_cast<int>((x + 0.5f) * 20), static_cast<int>((y + 0.5f) * 20));
}

class EditingGui : public ::testing::Test {
 protected:
  void Press(float x, float y) { QTest::mousePress(canvas(), Qt::LeftButton, {}, Cell(x, y)); }
  void MoveTo(float x, float y) { QTest::mouseMove(canvas(), Cell(x, y)); }
  void Release(float x, float y) { QTest::mouseRelease(canvas(), Qt::LeftButton, {}, Cell(x, y)); }
  void Draw(float x1, float y1, float x2, float y2) {
    Press(x1, y1);
    MoveTo(x2, y2);
    Release(x2, y2);
  }
  void Key(Qt::Key key, Qt::KeyboardModifiers mods = {}, QWidget* target = nullptr) {
    QTest::keyClick(target ? target : canvas(), key, mods);
  }
  ImageCanvas* canvas() { return app->mainWindow()->imgDraw; }
  ItemListWidget* list() { return app->mainWindow()->lstItems; }
  TWKFILE& doc() { return app->session().doc(); }
  QString title() { return app->mainWindow()->windowTitle(); }

  ScopedWorkDir dir;
  ScriptedDialogs dialogs;
  std::unique_ptr<App> app = StartedApp(dialogs);
};

TEST_F(EditingGui, DrawingALineListsItSelectedAndRedrawsOncePerEvent) {
  const int start = app->canvas().redrawCount();
  const QColor before = canvas()->image().pixelColor(Cell(6.0f, 4.5f));
  Press(2.5f, 2.5f);
  EXPECT_EQ(app->canvas().redrawCount(), start + 1);
  EXPECT_TRUE(app->session().state().Constructing);
  EXPECT_EQ(list()->items().RowCount(), 0);
  MoveTo(5.5f, 3.5f);
  MoveTo(9.5f, 6.5f);
  EXPECT_EQ(app->canvas().redrawCount(), start + 3);
  Release(9.5f, 6.5f);
  EXPECT_EQ(app->canvas().redrawCount(), start + 4);
  EXPECT_FALSE(app->session().state().Constructing);

  ASSERT_EQ(list()->items().RowCount(), 1);
  EXPECT_EQ(list()->items().RowText(0), "Line");
  EXPECT_EQ(list()->items().GetRowState(0).selected, true);
  EXPECT_EQ(list()->items().GetRowState(0).checked, true);
  ASSERT_EQ(doc().CData.size(), 1);
  EXPECT_EQ(list()->items().RowItem(0), doc().CData.front());
  const TWKDATA& line = *doc().CData.front();
  EXPECT_EQ(line.X1, 2.5f);
  EXPECT_EQ(line.Y1, 2.5f);
  EXPECT_EQ(line.X4, 9.5f);
  EXPECT_EQ(line.Y4, 6.5f);
  // The line is black and passes through (6, 4.5) in units.
  const QColor after = canvas()->image().pixelColor(Cell(6.0f, 4.5f));
  EXPECT_NE(before, after);
  EXPECT_LT(after.red(), 80);
}

TEST_F(EditingGui, ClickWithoutMoveCreatesNothing) {
  Press(4.5f, 4.5f);
  Release(4.5f, 4.5f);
  EXPECT_EQ(doc().CData.size(), 0);
  EXPECT_EQ(list()->items().RowCount(), 0);
  EXPECT_FALSE(app->session().state().Constructing);
}

TEST_F(EditingGui, KeyTwoDuringADragMakesACurve) {
  Press(2.5f, 2.5f);
  MoveTo(6.5f, 3.5f);
  const int redraws = app->canvas().redrawCount();
  Key(Qt::Key_2);
  EXPECT_EQ(app->canvas().redrawCount(), redraws + 1);
  MoveTo(9.5f, 6.5f);
  Release(9.5f, 6.5f);
  ASSERT_EQ(list()->items().RowCount(), 1);
  EXPECT_EQ(list()->items().RowText(0), "Curve");
  const TWKDATA& curve = *doc().CData.front();
  EXPECT_EQ(curve.X2, 6.5f);
  EXPECT_EQ(curve.Y2, 3.5f);
  EXPECT_EQ(curve.X3, 9.5f);
  EXPECT_EQ(curve.Y3, 6.5f);
  // Keypad 2 is the document height, not the control point.
  Press(1.5f, 1.5f);
  MoveTo(4.5f, 4.5f);
  Key(Qt::Key_2, Qt::KeypadModifier);
  EXPECT_EQ(app->session().state().ConstructionItem->Type, kLine);
  Release(4.5f, 4.5f);
  EXPECT_EQ(list()->items().RowText(0), "Line");
}

TEST_F(EditingGui, EllipseAnglesAndRectKeys) {
  Key(Qt::Key_T);
  Key(Qt::Key_T);
  Press(7.5f, 7.5f);
  MoveTo(7.5f, 11.5f);
  Key(Qt::Key_2);
  MoveTo(11.5f, 7.5f);
  Key(Qt::Key_3);
  Release(11.5f, 7.5f);
  EXPECT_EQ(list()->items().RowText(0), "Ellipse");
  EXPECT_EQ(doc().CData.front()->X2, 90.0f);
  EXPECT_EQ(doc().CData.front()->Y2, 360.0f);

  Key(Qt::Key_T);
  Key(Qt::Key_T);  // Line -> Rect
  Press(2.5f, 2.5f);
  MoveTo(5.5f, 6.5f);
  const int redraws = app->canvas().redrawCount();
  Key(Qt::Key_2);
  Key(Qt::Key_3);
  EXPECT_EQ(app->canvas().redrawCount(), redraws);
  Release(5.5f, 6.5f);
  EXPECT_EQ(list()->items().RowText(0), "Rect");
}

TEST_F(EditingGui, EscCancelsAndTheReleaseDoesNothing) {
  Draw(1.5f, 1.5f, 3.5f, 3.5f);
  Press(2.5f, 2.5f);
  MoveTo(8.5f, 8.5f);
  Key(Qt::Key_Escape);
  EXPECT_FALSE(app->session().state().Constructing);
  const int redraws = app->canvas().redrawCount();
  Release(8.5f, 8.5f);
  EXPECT_EQ(app->canvas().redrawCount(), redraws);
  EXPECT_EQ(doc().CData.size(), 1);
  EXPECT_EQ(list()->items().RowCount(), 1);
}

TEST_F(EditingGui, TypeKeyCyclesTheTitleButNotWhileDrawing) {
  EXPECT_EQ(title(), "Tarnwick :: line, solid + square (1.00), opacity: 100%");
  Key(Qt::Key_T);
  EXPECT_EQ(title(), "Tarnwick :: rect, solid + square (1.00), opacity: 100%");
  Key(Qt::Key_T);
  EXPECT_EQ(title(), "Tarnwick :: ellipse, solid + square (1.00), opacity: 100%");
  Key(Qt::Key_T);
  EXPECT_EQ(title(), "Tarnwick :: line, solid + square (1.00), opacity: 100%");
  Press(2.5f, 2.5f);
  Key(Qt::Key_T);
  EXPECT_EQ(app->session().state().CurType, kLine);
  EXPECT_EQ(title(), "Tarnwick :: line, solid + square (1.00), opacity: 100%");
  Release(2.5f, 2.5f);
}

TEST_F(EditingGui, WidthAndOpacityKeysFromBothKeyboards) {
  for (int i = 0; i < 20; ++i) Key(Qt::Key_Plus, Qt::KeypadModifier);
  for (int i = 0; i < 20; ++i) Key(Qt::Key_Equal);
  EXPECT_EQ(app->session().state().CurDrawWidth, 10.0f);
  EXPECT_TRUE(title().contains("(10.00)"));
  Key(Qt::Key_Minus);
  Key(Qt::Key_Minus, Qt::KeypadModifier);
  EXPECT_EQ(app->session().state().CurDrawWidth, 9.5f);
  for (int i = 0; i < 51; ++i) Key(Qt::Key_S);
  EXPECT_EQ(app->session().state().CurAlpha, 0);
  EXPECT_TRUE(title().endsWith("opacity: 0%"));
  Key(Qt::Key_W);
  EXPECT_EQ(app->session().state().CurAlpha, 5);
  // With Ctrl held the keys are no commands.
  Key(Qt::Key_W, Qt::ControlModifier);
  EXPECT_EQ(app->session().state().CurAlpha, 5);
}

TEST_F(EditingGui, MethodKeyWhileDrawingChangesOnlyThatItem) {
  Draw(1.5f, 1.5f, 3.5f, 3.5f);
  Press(5.5f, 5.5f);
  MoveTo(8.5f, 8.5f);
  const int redraws = app->canvas().redrawCount();
  Key(Qt::Key_M);
  EXPECT_EQ(app->canvas().redrawCount(), redraws + 1);
  EXPECT_EQ(app->session().state().ConstructionItem->DrawMethod, kFill);
  EXPECT_EQ(doc().CData.at(1)->DrawMethod, kSolid);
  EXPECT_TRUE(title().contains("fill"));
  Release(8.5f, 8.5f);
  EXPECT_EQ(list()->items().FirstSelectedRow(), 0);
}

TEST_F(EditingGui, KeysActOnTheSelectionWhateverHasTheFocus) {
  Draw(1.5f, 1.5f, 3.5f, 3.5f);
  Draw(5.5f, 5.5f, 8.5f, 8.5f);
  list()->setFocus();
  list()->items().SelectOnly(1);
  const TWKDATA first = *doc().CData.at(0);
  const float x1 = doc().CData.at(1)->X1;
  Key(Qt::Key_Right, {}, list());
  Key(Qt::Key_D, {}, list());
  EXPECT_EQ(doc().CData.at(1)->X1, x1 + 0.125f);
  EXPECT_EQ(doc().CData.at(1)->DrawAngle, 1.0f);
  EXPECT_EQ(*doc().CData.at(0), first);
  EXPECT_EQ(list()->items().FirstSelectedRow(), 1);  // the arrow did not move the list
  // Nothing selected: the arrows move every item, Space changes nothing.
  list()->items().SelectOnly(-1);
  Key(Qt::Key_Down, {}, list());
  EXPECT_EQ(doc().CData.at(0)->Y1, first.Y1 + 0.125f);
  const int redraws = app->canvas().redrawCount();
  Key(Qt::Key_Space, {}, list());
  EXPECT_EQ(app->canvas().redrawCount(), redraws);
}

TEST_F(EditingGui, DocumentSizeKeysOnTheKeypad) {
  Key(Qt::Key_2, Qt::KeypadModifier);
  EXPECT_EQ(doc().TWKH, 16.0f);
  const int redraws = app->canvas().redrawCount();
  for (int i = 0; i < 16; ++i) Key(Qt::Key_8, Qt::KeypadModifier);
  EXPECT_EQ(doc().TWKH, 1.0f);
  EXPECT_EQ(app->canvas().redrawCount(), redraws + 15);
  Key(Qt::Key_4, Qt::KeypadModifier);
  Key(Qt::Key_6, Qt::KeypadModifier);
  Key(Qt::Key_6, Qt::KeypadModifier);
  EXPECT_EQ(doc().TWKW, 16.0f);
  // Main keyboard 8 is no command at all.
  Key(Qt::Key_8);
  EXPECT_EQ(doc().TWKH, 1.0f);
  // The grid outlines one row of cells now: the cell border at x = 20 is
  // grey in the first row and absent in the second.
  ASSERT_NE(app->canvas().grid(), nullptr);
  EXPECT_EQ(app->canvas().grid()->PixelAt(20, 10), (Rgba{206, 206, 206, 255}));
  EXPECT_EQ(app->canvas().grid()->PixelAt(20, 30), (Rgba{255, 255, 255, 255}));
}

TEST_F(EditingGui, SizeKeyWhileDrawingKeepsTheOldGrid) {
  Press(2.5f, 2.5f);
  Key(Qt::Key_8, Qt::KeypadModifier);
  EXPECT_EQ(doc().TWKH, 15.0f);
  EXPECT_EQ(app->canvas().grid()->PixelAt(20, 305), (Rgba{206, 206, 206, 255}));
  MoveTo(4.5f, 4.5f);
  Release(4.5f, 4.5f);
  Key(Qt::Key_8, Qt::KeypadModifier);
  EXPECT_EQ(app->canvas().grid()->PixelAt(20, 305), (Rgba{255, 255, 255, 255}));
}

TEST_F(EditingGui, DeleteKeyDuringADragDeletesNothing) {
  Draw(1.5f, 1.5f, 3.5f, 3.5f);
  Press(5.5f, 5.5f);
  MoveTo(8.5f, 8.5f);
  Key(Qt::Key_Delete);
  EXPECT_EQ(doc().CData.size(), 2);
  Release(8.5f, 8.5f);
  EXPECT_EQ(list()->items().RowCount(), 2);
  EXPECT_EQ(list()->items().RowItem(0), doc().CData.at(0));
  Key(Qt::Key_Delete);
  EXPECT_EQ(doc().CData.size(), 1);
  EXPECT_EQ(list()->items().RowCount(), 1);
  EXPECT_EQ(list()->items().RowItem(0), doc().CData.at(0));
}

TEST_F(EditingGui, DraggingOutsideTheCanvasIsConfined) {
  Press(15.5f, 15.5f);
  QTest::mouseMove(canvas(), QPoint(900, -50));
  const TWKDATA* item = app->session().state().ConstructionItem;
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->X4, 15.5f);
  EXPECT_EQ(item->Y4, -0.5f);
  QTest::mouseRelease(canvas(), Qt::LeftButton, {}, QPoint(900, -50));
  EXPECT_EQ(doc().CData.size(), 1);
}

TEST_F(EditingGui, CtrlZAndCtrlYFromTheCanvasAndTheListUndoAndRedoWithTheCanvas) {
  const QImage empty = canvas()->image();
  Draw(2.5f, 2.5f, 9.5f, 6.5f);
  const QImage drawn = canvas()->image();
  ASSERT_NE(drawn, empty);
  int redraws = app->canvas().redrawCount();

  Key(Qt::Key_Z, Qt::ControlModifier);  // the canvas has the focus
  EXPECT_EQ(list()->items().RowCount(), 0);
  EXPECT_TRUE(doc().CData.empty());
  EXPECT_EQ(canvas()->image(), empty);
  EXPECT_EQ(app->canvas().redrawCount(), ++redraws);

  list()->setFocus();
  Key(Qt::Key_Y, Qt::ControlModifier, list());
  ASSERT_EQ(list()->items().RowCount(), 1);
  EXPECT_EQ(list()->items().RowItem(0), doc().CData.at(0));
  EXPECT_TRUE(list()->items().GetRowState(0).selected);
  EXPECT_EQ(canvas()->image(), drawn);
  EXPECT_EQ(app->canvas().redrawCount(), ++redraws);

  Key(Qt::Key_Z, Qt::ControlModifier, list());
  Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(list()->items().RowCount(), 1);
  EXPECT_EQ(app->canvas().redrawCount(), redraws + 2);

  // A new document starts a new history.
  twk::test::ReplaceDocument(*app, TWKFILE{});
  EXPECT_EQ(app->session().history().undoCount(), 0u);
  EXPECT_EQ(app->session().history().redoCount(), 0u);
}

// Picking an item builds nothing at once; once the selection has rested,
// the canvas keeps its layers for it without a visible redraw, so the first
// key on it repaints the selected item alone.
TEST_F(EditingGui, ASelectionThatRestsGetsItsCanvasLayersWithoutARedraw) {
  for (float y : {2.5f, 6.5f, 10.5f}) Draw(2.5f, y, 12.5f, y);
  app->canvas().DropCache();
  const int redraws = app->canvas().redrawCount();
  list()->items().SelectOnly(1);
  EXPECT_FALSE(app->canvas().keepsLayers());
  EXPECT_TRUE(QTest::qWaitFor([&] { return app->canvas().keepsLayers(); }, 5000));
  EXPECT_EQ(app->canvas().redrawCount(), redraws);
}

}  // namespace
}  // namespace twk::test
