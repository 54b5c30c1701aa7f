// Every item moved alike, with nothing selected (a held move key): the
// canvas made from the last picture moved by whole pixels, against a full
// redraw, across the fractions of a pixel a move leaves over; and changes
// that are no such move, which must be painted as a full redraw is.

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "render/Grid.h"
#include "render/SceneRenderer.h"
#include "render/RenderTestSupport.h"
#include "render/canvas/CanvasComposer.h"
#include "render/canvas/ItemTranslation.h"

namespace twk {
namespace {

// Every item moved as the move keys move it.
void MoveAll(TWKFILE& doc, float dx, float dy) {
  for (int i = 0; i < doc.CData.size(); ++i) {
    TWKDATA& it = *doc.CData.at(i);
    it.X1 += dx, it.Y1 += dy, it.X3 += dx, it.Y3 += dy, it.X4 += dx, it.Y4 += dy;
    if (it.Type != kEllipse) it.X2 += dx, it.Y2 += dy;
    Touch(it);
  }
}

// Items inside, and items cut at each side of the 16 x 16 area: a wide line
// at the left, a dotted arc at the right and bottom, a line through the top.
TWKFILE EdgeDrawing() {
  TWKDATA left = test::MakeItem(kLine, -1.5f, 2.2f, 5.3f, 3.1f, PackRGBA(20, 90, 200, 255), 0.75f);
  left.DrawMethod2 = kRoundEnds;
  TWKDATA right = test::MakeEllipse(14.2f, 13.6f, 3.1f, 1.1f, 0, 360);
  right.DrawMethod = kDots;
  right.DrawAngle = 5;
  TWKDATA top = test::MakeItem(kLine, 8.1f, -0.9f, 9.4f, 2.7f, PackRGBA(200, 30, 30, 200), 1.25f);
  TWKDATA box = test::MakeItem(kRect, 3.3f, 6.1f, 9.7f, 9.2f, PackRGBA(40, 160, 60, 128));
  box.DrawMethod = kFill;
  box.DrawAngle = 45;
  TWKDATA curve = test::MakeItem(kCurve, 4.1f, 11.3f, 10.6f, 12.2f, PackRGBA(0, 0, 0, 255), 0.5f);
  curve.X2 = 5.2f, curve.Y2 = 8.4f, curve.X3 = 9.9f, curve.Y3 = 15.1f;
  TWKFILE doc = test::DocumentOf({top, box, curve, left, right});
  doc.TWKW = doc.TWKH = 16;
  return doc;
}

TWKFILE StandardIcon() { return test::StandardDocument(100); }

struct HeldKey {
  std::string what;
  float dx, dy;
  float ppu;
  int keys;
  long long moved;  // pictures made by moving one: all but one per fraction of a pixel
  TWKFILE (*drawing)() = EdgeDrawing;
};

TEST(MovedPictures, HeldKeysOnEveryItemStayWithinOneOfAFullRedrawInEveryFraction) {
  const HeldKey held[] = {
      {"down, 2.5 pixels a key", 0, 0.125f, 20, 6, 5},
      {"up", 0, -0.125f, 20, 6, 5},
      {"right", 0.125f, 0, 20, 6, 5},
      {"left", -0.125f, 0, 20, 6, 5},
      {"down at 25 pixels a unit: eight fractions", 0, 0.125f, 25, 10, 3},
      // Items cut at the sides reach every row of the standard icon.
      {"right on the standard icon: painted whole", 0.125f, 0, 20, 4, 0, StandardIcon},
  };
  for (const HeldKey& key : held) {
    SCOPED_TRACE(key.what);
    const auto grid = BuildGridImage(420, 420, 16, 16);
    TWKFILE doc = key.drawing();
    const EditorState state;
    CanvasComposer composer;
    ASSERT_TRUE(composer.Compose(*grid, doc, state, key.ppu, key.ppu));
    for (int k = 1; k <= key.keys; ++k) {
      SCOPED_TRACE(k);
      MoveAll(doc, key.dx, key.dy);
      const auto picture = composer.Compose(*grid, doc, state, key.ppu, key.ppu);
      ASSERT_TRUE(picture);
      EXPECT_LE(test::MaxDifference(*picture, *ComposeCanvas(*grid, doc, key.ppu, key.ppu)), 1);
    }
    EXPECT_EQ(composer.PicturesMoved(), key.moved);
  }
}

// A move given up half way (its rows waiting to be painted) keeps no
// half-painted picture to move later.
TEST(MovedPictures, AMoveGivenUpLeavesNoHalfPaintedPicture) {
  const auto grid = BuildGridImage(340, 340, 16, 16);
  TWKFILE doc = EdgeDrawing();
  const EditorState state;
  CanvasComposer composer;
  ASSERT_TRUE(composer.Compose(*grid, doc, state, 20, 20));
  for (int k = 1; k <= 6; ++k) {
    SCOPED_TRACE(k);
    MoveAll(doc, 0, 0.125f);
    PaintCancel cancel;
    std::unique_ptr<Image> picture;
    if (k == 4) {
      PaintCancel::SetBandDelayForTesting(5000);
      std::thread giveUp([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        cancel.Request();
      });
      picture = composer.Compose(*grid, doc, state, 20, 20, {}, &cancel);
      giveUp.join();
      PaintCancel::SetBandDelayForTesting(0);
      EXPECT_EQ(picture, nullptr);
      continue;
    }
    picture = composer.Compose(*grid, doc, state, 20, 20, {}, &cancel);
    ASSERT_TRUE(picture);
    EXPECT_LE(test::MaxDifference(*picture, *ComposeCanvas(*grid, doc, 20, 20)), 1);
  }
}

TEST(MovedPictures, AChangeThatIsNoMoveOfEveryItemIsAFullRedraw) {
  struct NoMove {
    std::string what;
    void (*change)(TWKFILE&);
  };
  const NoMove changes[] = {
      {"one item moved further", [](TWKFILE& d) { MoveAll(d, 0, 0.25f), d.CData.at(2)->Y1 += 0.25f; }},
      {"one item added", [](TWKFILE& d) { MoveAll(d, 0, 0.25f), d.CData.append(*d.CData.at(1)); }},
  };
  for (const NoMove& c : changes) {
    SCOPED_TRACE(c.what);
    const auto grid = BuildGridImage(340, 340, 16, 16);
    TWKFILE doc = EdgeDrawing();
    const EditorState state;
    CanvasComposer composer;
    ASSERT_TRUE(composer.Compose(*grid, doc, state, 20, 20));
    c.change(doc);
    const auto picture = composer.Compose(*grid, doc, state, 20, 20);
    ASSERT_TRUE(picture);
    EXPECT_EQ(test::MaxDifference(*picture, *ComposeCanvas(*grid, doc, 20, 20)), 0);
    EXPECT_EQ(composer.PicturesMoved(), 0);
  }
}

TEST(ItemTranslation, TellsEveryItemMovedAlikeFromAnyOtherChange) {
  struct Case {
    std::string what;
    void (*change)(TWKFILE&);
    bool moved;
    float dx, dy;
  };
  const Case cases[] = {
      {"every item moved", [](TWKFILE& d) { MoveAll(d, 0.125f, -0.375f); }, true, 0.125f, -0.375f},
      {"nothing changed", [](TWKFILE&) {}, true, 0, 0},
      {"an arc's angles moved too", [](TWKFILE& d) { MoveAll(d, 0.5f, 0), d.CData.at(4)->X2 += 0.5f; }, false, 0, 0},
      {"one item recoloured", [](TWKFILE& d) { MoveAll(d, 0.5f, 0), d.CData.at(3)->DrawRGBA = 0; }, false, 0, 0},
      {"one item turned", [](TWKFILE& d) { MoveAll(d, 0.5f, 0), d.CData.at(1)->DrawAngle = 90; }, false, 0, 0},
      {"one item hidden", [](TWKFILE& d) { MoveAll(d, 0.5f, 0), d.CData.at(0)->Visible = 0; }, false, 0, 0},
      {"two items swapped", [](TWKFILE& d) { std::swap(*d.CData.at(0), *d.CData.at(1)); }, false, 0, 0},
      {"an item deleted", [](TWKFILE& d) { (void)d.CData.takeAll({4}); }, false, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TWKFILE doc = EdgeDrawing();
    std::vector<TWKDATA> before;
    for (int i = 0; i < doc.CData.size(); ++i) before.push_back(*doc.CData.at(i));
    c.change(doc);
    float dx = -1, dy = -1;
    EXPECT_EQ(TranslationOf(before, doc, dx, dy), c.moved);
    if (c.moved) EXPECT_EQ(std::make_pair(dx, dy), std::make_pair(c.dx, c.dy));
  }
}

}  // namespace
}  // namespace twk
