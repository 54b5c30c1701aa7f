#pragma once
// What the pointer tests draw and where they press, at screen scale 1, and
// the started program they press on.

#include <gtest/gtest.h>

#include <QPoint>
#include <QTest>
#include <memory>
#include <vector>

#include "GuiTestSupport.h"
#include "app/ImageCanvas.h"

#include "document/Colour.h"
#include "document/Document.h"

namespace twk::test {

// The canvas pixel whose top-left corner is the document point (x, y), at
// scale 1 (20 pixels a unit).
inline QPoint At(float x, float y) { return QPoint(static_cast<int>(x * 20), static_cast<int>(y * 20)); }

// An opaque red item of width 1 from (x1, y1) to (x4, y4), its controls on
// its ends.
inline TWKDATA Item(ItemType type, DrawMethodCode method, float x1, float y1, float x4, float y4) {
  TWKDATA item;
  item.Type = type;
  item.DrawMethod = method;
  item.DrawWidth = 1;
  item.DrawRGBA = PackRGBA(200, 40, 40, 255);
  item.Visible = 1;
  item.X1 = item.X2 = x1, item.Y1 = item.Y2 = y1;
  item.X3 = item.X4 = x4, item.Y3 = item.Y4 = y4;
  return item;
}

// The program on a 16 x 16 drawing of an opaque line (row 0, in front) over
// a filled rectangle (row 1), pressed on with Ctrl held unless told.
class PointerCanvasTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TWKFILE start;
    start.TWKW = start.TWKH = 16;
    start.CData.append(line);
    start.CData.append(rect);
    app->LoadDocument(std::move(start), "");
    stepsAtStart = app->session().history().undoCount();
  }
  void Press(float x, float y, Qt::KeyboardModifiers mods = Qt::ControlModifier) {
    QTest::mousePress(canvas(), Qt::LeftButton, mods, At(x, y));
  }
  void MoveTo(float x, float y) { QTest::mouseMove(canvas(), At(x, y)); }
  void Release(float x, float y, Qt::KeyboardModifiers mods = Qt::ControlModifier) {
    QTest::mouseRelease(canvas(), Qt::LeftButton, mods, At(x, y));
  }
  void Click(float x, float y, Qt::KeyboardModifiers mods = Qt::ControlModifier) {
    Press(x, y, mods);
    Release(x, y, mods);
  }
  void Drag(float x0, float y0, float x1, float y1, Qt::KeyboardModifiers mods = Qt::ControlModifier) {
    Press(x0, y0, mods);
    MoveTo(x1, y1);
    Release(x1, y1, mods);
  }
  void Key(Qt::Key key, Qt::KeyboardModifiers mods = {}) { QTest::keyClick(canvas(), key, mods); }
  std::vector<int> Selected() { return app->session().rows().SelectedRows(); }
  ImageCanvas* canvas() { return app->mainWindow()->imgDraw; }
  TWKDATA Record(int i) { return *app->session().doc().CData.at(i); }
  // Undo steps taken since the drawing was loaded.
  std::size_t Steps() { return app->session().history().undoCount() - stepsAtStart; }

  ScopedWorkDir dir;
  ScriptedDialogs dialogs;
  std::unique_ptr<App> app = StartedApp(dialogs);
  std::size_t stepsAtStart = 0;
  const TWKDATA line = Item(kLine, kSolid, 2.5f, 2.5f, 9.5f, 2.5f);
  const TWKDATA rect = Item(kRect, kFill, 2.5f, 6.5f, 9.5f, 12.5f);
};

}  // namespace twk::test
