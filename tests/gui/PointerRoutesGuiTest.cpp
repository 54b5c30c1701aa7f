// The pointer's routes that a quick or interrupted hand takes: Esc with Ctrl
// still held, a second press within the double-click time, undo after a
// drag that picked another item, and the rubber band.

#include <gtest/gtest.h>

#include <QTest>
#include <QWindow>

#include "GuiTestSupport.h"
#include "PointerTestSupport.h"
#include "app/ImageCanvas.h"
#include "document/Colour.h"

namespace twk::test {
namespace {

constexpr Qt::KeyboardModifiers kCtrl = Qt::ControlModifier;
constexpr Qt::KeyboardModifiers kCtrlShift = Qt::ControlModifier | Qt::ShiftModifier;

using PointerRoutes = PointerCanvasTest;

TEST_F(PointerRoutes, EscWithCtrlHeldPutsTheDraggedItemBack) {
  Drag(6, 9, 6, 9);  // picks the fill
  Press(6, 9);
  MoveTo(9, 10);
  ASSERT_NE(Record(1), rect);
  QTest::keyClick(canvas(), Qt::Key_Escape, kCtrl);
  EXPECT_EQ(Record(1), rect);
  MoveTo(11, 11);
  Release(11, 11);  // does nothing after Esc
  EXPECT_EQ(Record(1), rect);
  EXPECT_EQ(Steps(), 0u);
}

TEST_F(PointerRoutes, ASecondPressWithinTheDoubleClickTimeIsAPress) {
  // Through the window, as the desktop delivers them: Qt turns the second
  // press into a double click when it comes this soon at the same place.
  QWindow* window = canvas()->window()->windowHandle();
  ASSERT_NE(window, nullptr);
  const auto in = [&](float x, float y) { return canvas()->mapTo(canvas()->window(), At(x, y)); };
  QTest::mousePress(window, Qt::LeftButton, kCtrl, in(6, 9));
  QTest::mouseRelease(window, Qt::LeftButton, kCtrl, in(6, 9));
  QTest::lastMouseTimestamp -= QTest::mouseDoubleClickInterval - 100;  // 100 ms after the click
  QTest::mousePress(window, Qt::LeftButton, kCtrl, in(6, 9));
  QTest::mouseMove(window, in(8, 9));
  QTest::mouseRelease(window, Qt::LeftButton, kCtrl, in(8, 9));
  TWKDATA moved = rect;
  moved.X1 += 2, moved.X2 += 2, moved.X3 += 2, moved.X4 += 2;
  EXPECT_EQ(Record(1), moved);
  EXPECT_EQ(Steps(), 1u);
}

TEST_F(PointerRoutes, UndoOfADragThatPickedAnotherItemSelectsWhatWasSelected) {
  Drag(5, 2.5f, 5, 2.5f);  // picks the line
  ASSERT_EQ(Selected(), std::vector<int>{0});
  Drag(6, 9, 8, 10);  // picks the fill and moves it
  EXPECT_EQ(Selected(), std::vector<int>{1});
  QTest::keyClick(canvas(), Qt::Key_Z, kCtrl);
  EXPECT_EQ(Record(1), rect);
  EXPECT_EQ(Selected(), std::vector<int>{0});
}

TEST_F(PointerRoutes, ARubberBandSelectsWhatItTouchesAddsWithShiftAndEscCancels) {
  Drag(14, 14, 14, 14);  // a click on nothing: nothing selected
  const QImage bare = canvas()->image();
  Press(12, 1);
  MoveTo(1, 4);  // over the line only
  EXPECT_NE(canvas()->image(), bare);  // the band shows
  Release(1, 4);
  EXPECT_EQ(Selected(), std::vector<int>{0});
  Drag(14, 14, 8, 11, kCtrlShift);  // over a corner of the fill
  EXPECT_EQ(Selected(), (std::vector<int>{0, 1}));
  const QImage marked = canvas()->image();
  Press(14, 14);
  MoveTo(1, 1);
  QTest::keyClick(canvas(), Qt::Key_Escape, kCtrl);
  EXPECT_EQ(canvas()->image(), marked);  // the band has gone
  Release(1, 1);
  EXPECT_EQ(Selected(), (std::vector<int>{0, 1}));
  EXPECT_EQ(Record(0), line);
  EXPECT_EQ(Record(1), rect);
  EXPECT_EQ(Steps(), 0u);
}

}  // namespace
}  // namespace twk::test
