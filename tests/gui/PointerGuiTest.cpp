// Pointing at items on the canvas with Ctrl held: picking, adding and
// removing, moving and reshaping with live feedback, Esc, and the marks that
// show the selection.

#include <gtest/gtest.h>

#include <QTest>

#include "GuiTestSupport.h"
#include "PointerTestSupport.h"
#include "app/ImageCanvas.h"
#include "document/Colour.h"

namespace twk::test {
namespace {

using PointerGui = PointerCanvasTest;

TEST_F(PointerGui, CtrlClickPicksTheItemUnderThePointerOrClears) {
  Click(6, 9);  // inside the fill
  EXPECT_EQ(Selected(), std::vector<int>{1});
  EXPECT_EQ(app->session().rows().CurrentRow(), 1);
  Click(14, 14);  // on nothing
  EXPECT_EQ(Selected(), std::vector<int>{});
  EXPECT_EQ(Steps(), 0u);
}

TEST_F(PointerGui, CtrlShiftClickAddsAndRemoves) {
  Click(6, 9);
  Click(5, 2.5f, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Selected(), (std::vector<int>{0, 1}));
  Click(6, 9, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Selected(), std::vector<int>{0});
  EXPECT_EQ(Record(1), rect);  // nothing moved
}

TEST_F(PointerGui, CtrlDragMovesTheSelectionLiveAsOneUndoStep) {
  Click(5, 2.5f);
  Click(6, 9, Qt::ControlModifier | Qt::ShiftModifier);
  Press(6, 9);
  MoveTo(7, 9);
  MoveTo(8, 10);
  TWKDATA movedLine = line, movedRect = rect;
  for (TWKDATA* item : {&movedLine, &movedRect}) {
    item->X1 += 2, item->X2 += 2, item->X3 += 2, item->X4 += 2;
    item->Y1 += 1, item->Y2 += 1, item->Y3 += 1, item->Y4 += 1;
  }
  EXPECT_EQ(Record(0), movedLine);  // follows before the release
  EXPECT_EQ(Record(1), movedRect);
  Release(8, 10);
  EXPECT_EQ(Steps(), 1u);
  EXPECT_EQ(Selected(), (std::vector<int>{0, 1}));
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Record(0), line);
  EXPECT_EQ(Record(1), rect);
}

TEST_F(PointerGui, EscDuringADragPutsTheItemsBack) {
  Click(6, 9);
  Press(6, 9);
  MoveTo(9, 9);
  ASSERT_EQ(Record(1).X1, rect.X1 + 3);
  Key(Qt::Key_Escape);
  EXPECT_EQ(Record(1), rect);
  Release(9, 9);
  EXPECT_EQ(Record(1), rect);
  EXPECT_EQ(Steps(), 0u);
}

TEST_F(PointerGui, CtrlDragOnAHandleReshapesThatPointOnly) {
  Click(5, 2.5f);
  Press(9.5f, 2.5f);  // the line's end handle
  MoveTo(12.5f, 4.5f);
  Release(12.5f, 4.5f);
  TWKDATA reshaped = line;
  reshaped.X4 = 12.5f, reshaped.Y4 = 4.5f;
  EXPECT_EQ(Record(0), reshaped);
  EXPECT_EQ(Steps(), 1u);
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Record(0), line);
}

TEST_F(PointerGui, MarksShowTheSelectionAndHIsRemembered) {
  Click(14, 14);
  const QImage bare = canvas()->image();
  Click(6, 9);
  EXPECT_NE(canvas()->image(), bare);
  Key(Qt::Key_H);
  EXPECT_EQ(canvas()->image(), bare);
  app->Shutdown();
  app.reset();
  app = StartedApp(dialogs);
  EXPECT_FALSE((app->config().HideMarks == 0));
}

TEST_F(PointerGui, CtrlASelectsEveryItemAndCtrlShiftANone) {
  Key(Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(Selected(), (std::vector<int>{0, 1}));
  Key(Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Selected(), std::vector<int>{});
  EXPECT_EQ(Record(0).DrawAngle, 0);  // Ctrl+A is not the A key's turn
}

TEST_F(PointerGui, RefusedWhileAnItemIsBeingDrawn) {
  Click(6, 9);
  Press(12.5f, 12.5f, {});
  MoveTo(14.5f, 14.5f);
  ASSERT_TRUE(app->session().state().Constructing);
  Key(Qt::Key_A, Qt::ControlModifier);
  Press(5, 2.5f);
  EXPECT_EQ(Selected(), std::vector<int>{1});
  Release(14.5f, 14.5f, {});
  EXPECT_EQ(app->session().doc().CData.size(), 3);  // the plain press drew a line
  EXPECT_EQ(Record(2), rect);
}

}  // namespace
}  // namespace twk::test
