// The 25 single-key commands, dispatched by number as the window does.

#include <gtest/gtest.h>

#include <set>

#include "document/Colour.h"
#include "document/Labels.h"
#include "editor/Construction.h"
#include "editor/KeyCommands.h"
#include "editor/ItemCommands.h"
#include "TestEditor.h"

namespace twk::test {
namespace {

enum Key {
  kEsc = 27, kSpace = 32, kLeft = 37, kUp = 38, kRight = 39, kDown = 40, kDelete = 46,
  k1 = 49, k2 = 50, k3 = 51, kA = 65, kD = 68, kM = 77, kS = 83, kT = 84, kV = 86, kW = 87,
  kPad2 = 98, kPad4 = 100, kPad6 = 102, kPad8 = 104, kPadPlus = 107, kPadMinus = 109,
  kEquals = 187, kMinus = 189,
};

void Press(TestEditor& t, int key, int times = 1) {
  for (int i = 0; i < times; ++i) DispatchCommand(t.ed, key);
}

// A document of `items` listed as after a load, row 0 selected.
void Load(TestEditor& t, const std::vector<TWKDATA>& items) {
  for (const TWKDATA& item : items) t.doc.CData.append(item);
  RebuildRowsFromDocument(t.ed);
}

TEST(KeyTableTest, RegistrationOrderAndUniqueNumbers) {
  const std::vector<int> expected = {k3, k2, k1, kEsc, kM, kV, kT, kA, kD, kW, kS, kUp, kDown,
                                     kLeft, kRight, kPadPlus, kPadMinus, kEquals, kMinus,
                                     kDelete, kSpace, kPad8, kPad2, kPad4, kPad6};
  std::vector<int> numbers;
  CommandRegistry table;
  AddEditorCommands(table);
  for (const CommandEntry& c : table.Entries()) {
    if (c.keys.empty() || c.keys.front().ctrl || c.keys.front().shift) continue;
    numbers.push_back(c.number);
    EXPECT_TRUE(c.run);
  }
  EXPECT_EQ(numbers, expected);
  // Popup numbers and unknown keys do nothing.
  TestEditor t;
  Load(t, {MakeItem(kLine, 0)});
  const TWKDATA before = *t.doc.CData.front();
  for (int n : {5, 6, 8, 9, 13, 0, 1000}) DispatchCommand(t.ed, n);
  EXPECT_EQ(*t.doc.CData.front(), before);
  EXPECT_EQ(t.rows.RowCount(), 1);
  EXPECT_EQ(t.redraws + t.titles, 0);
}

TEST(ToolKeysTest, TypeCyclesSkippingCurveAndNotWhileDrawing) {
  TestEditor t;
  std::vector<int> seen;
  for (int i = 0; i < 4; ++i) {
    Press(t, kT);
    seen.push_back(t.state.CurType);
  }
  EXPECT_EQ(seen, (std::vector<int>{kRect, kEllipse, kLine, kRect}));
  EXPECT_EQ(t.titles, 4);
  EXPECT_EQ(t.redraws, 0);
  StartItem(t.ed, 50, 50);
  Press(t, kT);
  EXPECT_EQ(t.state.CurType, kRect);
  EXPECT_EQ(t.titles, 4);
}

TEST(ToolKeysTest, WidthClampsAtBothEnds) {
  TestEditor t;
  Press(t, kPadPlus, 20);
  Press(t, kEquals, 20);
  EXPECT_EQ(t.state.CurDrawWidth, 10.0f);
  EXPECT_EQ(TitleText(t.state.CurType, 0, 0, t.state.CurDrawWidth, 255).find("(10.00)") !=
                std::string::npos,
            true);
  Press(t, kMinus, 100);
  EXPECT_EQ(t.state.CurDrawWidth, 0.25f);
  Press(t, kPadMinus);
  EXPECT_EQ(t.state.CurDrawWidth, 0.25f);
  EXPECT_EQ(t.titles, 141);  // the title follows every press
  EXPECT_EQ(t.redraws, 0);   // nothing selected, nothing drawn
}

TEST(ToolKeysTest, OpacityClampsAtBothEnds) {
  TestEditor t;
  Press(t, kW);
  EXPECT_EQ(t.state.CurAlpha, 255);
  Press(t, kS, 51);
  EXPECT_EQ(t.state.CurAlpha, 0);
  Press(t, kS, 3);
  EXPECT_EQ(t.state.CurAlpha, 0);
  Press(t, kW);
  EXPECT_EQ(t.state.CurAlpha, 5);
}

TEST(ToolKeysTest, MethodAndEndStyleWrap) {
  TestEditor t;
  std::vector<int> methods, styles;
  for (int i = 0; i < 4; ++i) {
    Press(t, kM);
    Press(t, kV);
    methods.push_back(t.state.CurDrawMethod);
    styles.push_back(t.state.CurDrawMethod2);
  }
  EXPECT_EQ(methods, (std::vector<int>{1, 2, 0, 1}));
  EXPECT_EQ(styles, (std::vector<int>{1, 2, 0, 1}));
}

TEST(ToolKeysTest, SettingsReplaceValuesOfSelectedItems) {
  TestEditor t;
  Load(t, {MakeItem(kLine, 0, 1.0f), MakeItem(kRect, 1, 3.0f), MakeItem(kRect, 2, 7.0f)});
  SelectRows(t.rows, {0, 1});
  Press(t, kPadPlus);
  EXPECT_EQ(t.doc.CData.at(0)->DrawWidth, 1.25f);
  EXPECT_EQ(t.doc.CData.at(1)->DrawWidth, 1.25f);
  EXPECT_EQ(t.doc.CData.at(2)->DrawWidth, 7.0f);
  EXPECT_EQ(t.redraws, 1);
  Press(t, kS);
  EXPECT_EQ(AlphaOf(t.doc.CData.at(0)->DrawRGBA), 250);
  EXPECT_EQ(RedOf(t.doc.CData.at(0)->DrawRGBA), 0);  // colour bytes kept
  EXPECT_EQ(RedOf(t.doc.CData.at(1)->DrawRGBA), 1);
  Press(t, kM);
  Press(t, kV);
  EXPECT_EQ(t.doc.CData.at(1)->DrawMethod, kFill);
  EXPECT_EQ(t.doc.CData.at(1)->DrawMethod2, kCenterEnds);
  EXPECT_EQ(t.doc.CData.at(2)->DrawMethod, kSolid);
  EXPECT_EQ(t.redraws, 4);
  // A setting that changes no item does not redraw.
  Press(t, kW, 2);  // 250 -> 255 (redraw), then 255 again (none)
  EXPECT_EQ(t.redraws, 5);
  EXPECT_EQ(t.titles, 6);
}

TEST(ToolKeysTest, WhileDrawingOnlyTheItemUnderConstructionChanges) {
  TestEditor t;
  Load(t, {MakeItem(kLine, 0)});
  const TWKDATA listed = *t.doc.CData.at(0);
  StartItem(t.ed, 50, 50);
  FollowPointer(t.ed, 150, 90);
  const int redraws = t.redraws;
  Press(t, kM);
  Press(t, kEquals);
  Press(t, kS);
  Press(t, kV);
  const TWKDATA& building = *t.state.ConstructionItem;
  EXPECT_EQ(building.DrawMethod, kFill);
  EXPECT_EQ(building.DrawWidth, 1.25f);
  EXPECT_EQ(AlphaOf(building.DrawRGBA), 250);
  EXPECT_EQ(building.DrawMethod2, kCenterEnds);
  EXPECT_EQ(*t.doc.CData.at(1), listed);
  EXPECT_EQ(t.redraws, redraws + 4);
  EXPECT_EQ(t.titles, 4);
  EXPECT_TRUE(t.rows.GetRowState(0).selected);
  // Rotate, move, recolour and delete leave everything alone.
  const TWKDATA snapshot = building;
  for (int key : {kA, kD, kUp, kDown, kLeft, kRight, kSpace, kDelete}) Press(t, key);
  EXPECT_EQ(building, snapshot);
  EXPECT_EQ(*t.doc.CData.at(1), listed);
  EXPECT_EQ(t.doc.CData.size(), 2);
  EXPECT_EQ(t.rows.RowCount(), 1);
  EXPECT_EQ(t.redraws, redraws + 4);
}

TEST(EditKeysTest, RotateWrapsOneTurnPerStep) {
  TestEditor t;
  Load(t, {MakeItem(kLine, 0), MakeItem(kLine, 1)});
  TWKDATA& item = *t.doc.CData.at(0);
  item.DrawAngle = 359;
  Press(t, kD);
  EXPECT_EQ(item.DrawAngle, 360.0f);
  Press(t, kD);
  EXPECT_EQ(item.DrawAngle, 1.0f);
  item.DrawAngle = 0;
  Press(t, kA);
  EXPECT_EQ(item.DrawAngle, 359.0f);
  item.DrawAngle = 1000;
  Press(t, kD);
  EXPECT_EQ(item.DrawAngle, 641.0f);
  EXPECT_EQ(t.doc.CData.at(1)->DrawAngle, 0.0f);
  EXPECT_EQ(t.redraws, 4);
  EXPECT_EQ(t.titles, 0);
}

TEST(EditKeysTest, ArrowsMoveSelectionOrEverything) {
  TestEditor t;
  Load(t, {MakeItem(kEllipse, 0), MakeItem(kCurve, 1)});
  const TWKDATA e0 = *t.doc.CData.at(0);
  const TWKDATA c0 = *t.doc.CData.at(1);
  t.rows.SelectOnly(-1);
  Press(t, kRight);
  EXPECT_EQ(t.redraws, 1);
  const TWKDATA& e = *t.doc.CData.at(0);
  const TWKDATA& c = *t.doc.CData.at(1);
  EXPECT_EQ(e.X1, e0.X1 + 0.125f);
  EXPECT_EQ(e.X4, e0.X4 + 0.125f);
  EXPECT_EQ(e.X3, e0.X3 + 0.125f);
  EXPECT_EQ(e.X2, e0.X2);  // arc angles stay
  EXPECT_EQ(e.Y2, e0.Y2);
  EXPECT_EQ(c.X2, c0.X2 + 0.125f);
  EXPECT_EQ(c.X1, c0.X1 + 0.125f);
  EXPECT_EQ(c.Y1, c0.Y1);
  SelectRows(t.rows, {1});
  Press(t, kUp);
  EXPECT_EQ(c.Y1, c0.Y1 - 0.125f);
  EXPECT_EQ(c.Y2, c0.Y2 - 0.125f);
  EXPECT_EQ(c.Y3, c0.Y3 - 0.125f);
  EXPECT_EQ(c.Y4, c0.Y4 - 0.125f);
  EXPECT_EQ(e.Y1, e0.Y1);
  Press(t, kDown);
  Press(t, kLeft);
  EXPECT_EQ(c.Y1, c0.Y1);
  EXPECT_EQ(c.X1, c0.X1);
  EXPECT_EQ(t.redraws, 4);
  // An empty document has nothing to move.
  TestEditor empty;
  Press(empty, kLeft);
  EXPECT_EQ(empty.redraws, 0);
}

TEST(EditKeysTest, SpaceRecoloursKeepingOpacity) {
  TestEditor t;
  Load(t, {MakeItem(kLine, 0), MakeItem(kLine, 1)});
  t.doc.CData.at(0)->DrawRGBA = PackRGBA(1, 2, 3, 77);
  t.state.CurRGB = PackRGBA(200, 100, 50, 0);
  t.rows.SelectOnly(-1);
  Press(t, kSpace);
  EXPECT_EQ(t.redraws, 0);
  EXPECT_EQ(t.doc.CData.at(0)->DrawRGBA, PackRGBA(1, 2, 3, 77));
  SelectRows(t.rows, {0});
  Press(t, kSpace);
  EXPECT_EQ(t.doc.CData.at(0)->DrawRGBA, PackRGBA(200, 100, 50, 77));
  EXPECT_EQ(t.doc.CData.at(1)->DrawRGBA, MakeItem(kLine, 1).DrawRGBA);
  EXPECT_EQ(t.redraws, 1);
  Press(t, kSpace);  // same colour again: nothing changes
  EXPECT_EQ(t.redraws, 1);
  EXPECT_EQ(t.titles, 0);
}

TEST(EditKeysTest, DeleteKeyDeletesSelectionButNotWhileDrawing) {
  TestEditor t;
  Load(t, {MakeItem(kLine, 0), MakeItem(kLine, 1)});
  StartItem(t.ed, 50, 50);
  FollowPointer(t.ed, 90, 90);
  Press(t, kDelete);
  EXPECT_EQ(t.doc.CData.size(), 3);
  FinishItem(t.ed);
  EXPECT_EQ(t.rows.RowCount(), 3);
  EXPECT_TRUE(t.RowsMirrorDocument());
  Press(t, kDelete);  // the new line is the selected row
  EXPECT_EQ(t.doc.CData.size(), 2);
  EXPECT_EQ(t.doc.CData.front()->Name, "item0");
  EXPECT_TRUE(t.RowsMirrorDocument());
}

TEST(SizeKeysTest, ClampAndRebuildTheGrid) {
  TestEditor t;
  Press(t, kPad2);
  Press(t, kPad6);
  EXPECT_EQ(t.redraws, 0);
  EXPECT_TRUE(t.grids.empty());
  Press(t, kPad8, 20);
  EXPECT_EQ(t.doc.TWKH, 1.0f);
  EXPECT_EQ(t.redraws, 15);
  EXPECT_EQ(t.grids.back(), std::make_pair(16, 1));
  Press(t, kPad4);
  EXPECT_EQ(t.doc.TWKW, 15.0f);
  EXPECT_EQ(t.grids.back(), std::make_pair(15, 1));
  EXPECT_EQ(t.titles, 0);
}

TEST(SizeKeysTest, AfterAFailedLoadAndWithFractionalSizes) {
  TestEditor t;
  t.doc.TWKW = 0;
  t.doc.TWKH = 0;
  Press(t, kPad8);
  EXPECT_EQ(t.doc.TWKH, 0.0f);
  EXPECT_EQ(t.redraws, 0);
  Press(t, kPad2);
  EXPECT_EQ(t.doc.TWKH, 1.0f);
  EXPECT_EQ(t.grids.back(), std::make_pair(0, 1));
  // 1.5 truncates to 1: no smaller; 2.5 becomes 3.5, whose grid rounds to 4.
  t.doc.TWKH = 1.5f;
  Press(t, kPad8);
  EXPECT_EQ(t.doc.TWKH, 1.5f);
  t.doc.TWKW = 2.5f;
  Press(t, kPad6);
  EXPECT_EQ(t.doc.TWKW, 3.5f);
  EXPECT_EQ(t.grids.back(), std::make_pair(4, 2));  // 3.5 -> 4, 1.5 -> 2
  t.doc.TWKW = 16.5f;
  Press(t, kPad6);
  EXPECT_EQ(t.doc.TWKW, 16.5f);
}

TEST(SizeKeysTest, ActWhileDrawingButTheGridStays) {
  TestEditor t;
  StartItem(t.ed, 50, 50);
  const int redraws = t.redraws;
  Press(t, kPad8);
  EXPECT_EQ(t.doc.TWKH, 15.0f);
  EXPECT_TRUE(t.grids.empty());  // the rebuild refuses while drawing
  EXPECT_EQ(t.redraws, redraws + 1);
  EXPECT_TRUE(t.state.Constructing);
}

TEST(SizeKeysTest, TheGridTakesTheNewSizeOnceTheDrawingEnds) {
  for (const bool finished : {true, false}) {
    TestEditor t;
    StartItem(t.ed, 50, 50);
    FollowPointer(t.ed, 130, 70);
    Press(t, kPad4);
    Press(t, kPad4);
    if (finished) {
      FinishItem(t.ed);
    } else {
      Press(t, kEsc);
    }
    const int redraws = t.redraws;
    EXPECT_EQ(t.grids, (std::vector<std::pair<int, int>>{{14, 16}})) << finished;
    Press(t, kPad8);  // later resizes rebuild at once, as before
    EXPECT_EQ(t.grids.back(), std::make_pair(14, 15)) << finished;
    EXPECT_EQ(t.redraws, redraws + 1) << finished;
  }
}

TEST(ConstructionKeysTest, DispatchedByNumber) {
  TestEditor t;
  StartItem(t.ed, 50, 50);
  FollowPointer(t.ed, 130, 70);
  Press(t, k2);
  EXPECT_EQ(t.state.ConstructionItem->Type, kCurve);
  EXPECT_TRUE(t.state.FirstControlFixed);
  Press(t, k3);
  EXPECT_TRUE(t.state.SecondControlFixed);
  Press(t, k1);
  EXPECT_EQ(t.state.ConstructionItem->X1, t.state.ConstructionItem->X4);
  Press(t, kEsc);
  EXPECT_FALSE(t.state.Constructing);
  EXPECT_EQ(t.doc.CData.size(), 0);
}

}  // namespace
}  // namespace twk::test
