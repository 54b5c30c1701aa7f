// The canvas composer with its cached layers of unselected items against a
// full redraw: the same pixels, but for the rounding of blending the items
// in front from their own pictures instead of painting them, after every kind of
// change, and the layers painted again only when a change reaches them.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "render/canvas/CanvasComposer.h"
#include "render/Grid.h"
#include "render/SceneRenderer.h"
#include "render/RenderTestSupport.h"

namespace twk {
namespace {

constexpr float kPpu = 20.0f;

void Nudge(TWKDATA& item) {
  for (float* v : {&item.X1, &item.X2, &item.X3, &item.X4}) *v += 0.25f;
  Touch(item);
}

void Hide(TWKDATA& item) {
  item.Visible = 0;
  Touch(item);
}

struct Change {
  std::string what;
  std::vector<IndexRun> selected;
  std::function<void(TWKFILE&)> change;
  long long layersPainted;  // by the compose after the change
  bool layerKept;
};

TEST(CanvasLayer, EqualsAFullRedrawAfterEveryChangeRepaintingOnlyTheLayersItReaches) {
  const auto grid = BuildGridImage(340, 340, 16, 16);
  const TWKDATA middleBefore = *test::StandardDocument(100).CData.at(50);
  std::vector<IndexRun> everyOther;
  for (int i = 0; i < 100; i += 2) everyOther.push_back({i, i});
  const Change changes[] = {
      {"key on the front item", {{0, 0}}, [](TWKFILE& d) { Nudge(*d.CData.at(0)); }, 0, true},
      {"key on a middle item", {{50, 50}}, [](TWKFILE& d) { Nudge(*d.CData.at(50)); }, 0, true},
      {"undo of that key", {{50, 50}}, [&](TWKFILE& d) { *d.CData.at(50) = middleBefore; }, 0, true},
      {"key on the back item: the items in front are kept", {{99, 99}}, [](TWKFILE& d) { Nudge(*d.CData.at(99)); }, 0,
       true},
      {"key on a scattered selection", {{3, 3}, {20, 22}, {70, 70}},
       [](TWKFILE& d) {
         for (int i : {3, 20, 21, 22, 70}) Nudge(*d.CData.at(i));
       },
       0, true},
      {"key on every other item: past the layers worth keeping", everyOther,
       [](TWKFILE& d) {
         for (int i = 0; i < 100; i += 2) Nudge(*d.CData.at(i));
       },
       0, true},
      {"hide an item in front", {{50, 50}}, [](TWKFILE& d) { Hide(*d.CData.at(10)); }, 1, true},
      {"hide an item between selected ones", {{3, 3}, {50, 50}}, [](TWKFILE& d) { Hide(*d.CData.at(10)); }, 1,
       true},
      {"hide an item behind", {{50, 50}}, [](TWKFILE& d) { Hide(*d.CData.at(90)); }, 1, true},
      {"reorder two items behind", {{50, 50}}, [](TWKFILE& d) { std::swap(*d.CData.at(60), *d.CData.at(61)); }, 1,
       true},
      {"reorder two items in front", {{50, 50}}, [](TWKFILE& d) { std::swap(*d.CData.at(20), *d.CData.at(21)); }, 1,
       true},
      {"resize", {{50, 50}}, [](TWKFILE& d) { d.TWKW = 12; }, 2, true},
      {"load another document", {{5, 5}}, [](TWKFILE& d) { d = test::StandardDocument(10); }, 2, true},
      {"nothing selected: every item moves", {}, [](TWKFILE& d) { Nudge(*d.CData.at(99)); }, 0, false},
      {"every item selected", {{0, 99}}, [](TWKFILE& d) { Nudge(*d.CData.at(99)); }, 0, false},
  };
  for (const Change& c : changes) {
    SCOPED_TRACE(c.what);
    TWKFILE doc = test::StandardDocument(100);
    const EditorState state;
    CanvasComposer composer;
    ASSERT_TRUE(composer.Compose(*grid, doc, state, kPpu, kPpu, c.selected));
    const long long before = composer.PartsMade();
    c.change(doc);
    const auto picture = composer.Compose(*grid, doc, state, kPpu, kPpu, c.selected);
    ASSERT_TRUE(picture);
    EXPECT_TRUE(test::WithinLayerRounding(*picture, *ComposeCanvas(*grid, doc, kPpu, kPpu)));
    EXPECT_EQ(composer.PartsMade() - before, c.layersPainted);
    EXPECT_EQ(composer.KeepsParts(), c.layerKept);
  }
}

// Keys on the selection one after another: each picture starts from the
// pixels the one before left.
TEST(CanvasLayer, KeysInARowRepaintOnlyTheRowsTheyReachAndStayWithinRounding) {
  const auto grid = BuildGridImage(340, 340, 16, 16);
  TWKFILE doc = test::StandardDocument(100);
  const TWKDATA first = *doc.CData.at(50);
  const EditorState state;
  CanvasComposer composer;
  const std::vector<IndexRun> selected{{30, 30}, {50, 50}};
  ASSERT_TRUE(composer.Compose(*grid, doc, state, kPpu, kPpu, selected));
  const std::function<void()> steps[] = {
      [&] { Nudge(*doc.CData.at(50)); },
      [&] { Nudge(*doc.CData.at(50)), Nudge(*doc.CData.at(30)); },
      [&] { *doc.CData.at(50) = first; },
      [&] { Nudge(*doc.CData.at(30)); },
  };
  for (const auto& step : steps) {
    step();
    const auto picture = composer.Compose(*grid, doc, state, kPpu, kPpu, selected);
    ASSERT_TRUE(picture);
    EXPECT_TRUE(test::WithinLayerRounding(*picture, *ComposeCanvas(*grid, doc, kPpu, kPpu)));
  }
  EXPECT_EQ(composer.PartsMade(), 3);
}

// A run kept in front of the selection that becomes the run behind it (the
// items behind were deleted) is painted as the layer behind, not taken
// over from the front.
TEST(CanvasLayer, ARunFromInFrontCanBecomeTheLayerBehind) {
  const auto grid = BuildGridImage(340, 340, 16, 16);
  TWKFILE doc = test::StandardDocument(100);
  const EditorState state;
  CanvasComposer composer;
  ASSERT_TRUE(composer.Compose(*grid, doc, state, kPpu, kPpu, {{2, 2}, {20, 20}}));
  std::vector<int> behind;
  for (int i = 20; i < 100; ++i) behind.push_back(i);
  (void)doc.CData.takeAll(behind);
  const auto picture = composer.Compose(*grid, doc, state, kPpu, kPpu, {{2, 2}});
  ASSERT_TRUE(picture);
  EXPECT_TRUE(test::WithinLayerRounding(*picture, *ComposeCanvas(*grid, doc, kPpu, kPpu)));
}

// An item pasted at the front, then the item picked before it picked again
// and its parts kept: of the items in front of it only the pasted one is
// painted on its own.
TEST(CanvasLayer, AnItemPastedAtTheFrontIsTheOnlyPictureMadeAgain) {
  const auto grid = BuildGridImage(340, 340, 16, 16);
  TWKFILE doc = test::StandardDocument(100);
  const EditorState state;
  CanvasComposer composer;
  ASSERT_TRUE(composer.Compose(*grid, doc, state, kPpu, kPpu, {{50, 50}}));
  const long long before = composer.ItemPicturesPainted();
  TWKDATA pasted = *doc.CData.at(80);
  Touch(pasted);
  doc.CData.insertFront(pasted);
  composer.KeepPartsFor(doc, state, kPpu, kPpu, {{51, 51}});
  const auto picture = composer.Compose(*grid, doc, state, kPpu, kPpu, {{51, 51}});
  ASSERT_TRUE(picture);
  EXPECT_EQ(composer.ItemPicturesPainted() - before, 1);
  EXPECT_TRUE(test::WithinLayerRounding(*picture, *ComposeCanvas(*grid, doc, kPpu, kPpu)));
}

}  // namespace
}  // namespace twk
