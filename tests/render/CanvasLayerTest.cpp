// The canvas composer with the layer of the items behind the selection
// against a full redraw: the same pixels after every kind of change, and the
// layer painted again only when a change reaches behind the selection.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "render/CanvasComposer.h"
#include "render/Grid.h"
#include "render/SceneRenderer.h"
#include "render/RenderTestSupport.h"

namespace twk {
namespace {

constexpr float kPpu = 20.0f;

void Nudge(TWKDATA& item) {
  for (float* v : {&item.X1, &item.X2, &item.X3, &item.X4}) *v += 0.25f;
}

struct Change {
  std::string what;
  int deepestSelected;
  std::function<void(TWKFILE&)> change;
  long long layersPainted;  // by the compose after the change
  bool layerKept;
};

TEST(CanvasLayer, EqualsAFullRedrawAfterEveryChangeRepaintingOnlyWhatReachesBehind) {
  const auto grid = BuildGridImage(340, 340, 16, 16);
  const TWKDATA middleBefore = *test::StandardDocument(100).CData.at(50);
  const Change changes[] = {
      {"key on the front item", 0, [](TWKFILE& d) { Nudge(*d.CData.at(0)); }, 0, true},
      {"key on a middle item", 50, [](TWKFILE& d) { Nudge(*d.CData.at(50)); }, 0, true},
      {"undo of that key", 50, [&](TWKFILE& d) { *d.CData.at(50) = middleBefore; }, 0, true},
      {"key on the back item: nothing behind to keep", 99, [](TWKFILE& d) { Nudge(*d.CData.at(99)); }, 0, false},
      {"key on a scattered selection", 70,
       [](TWKFILE& d) {
         for (int i : {3, 20, 21, 22, 70}) Nudge(*d.CData.at(i));
       },
       0, true},
      {"hide an item in front", 50, [](TWKFILE& d) { d.CData.at(10)->Visible = 0; }, 0, true},
      {"hide an item behind", 50, [](TWKFILE& d) { d.CData.at(90)->Visible = 0; }, 1, true},
      {"reorder two items behind", 50, [](TWKFILE& d) { std::swap(*d.CData.at(60), *d.CData.at(61)); }, 1, true},
      {"resize", 50, [](TWKFILE& d) { d.TWKW = 12; }, 1, true},
      {"load another document", 5, [](TWKFILE& d) { d = test::StandardDocument(10); }, 1, true},
      {"nothing selected: every item moves", -1, [](TWKFILE& d) { Nudge(*d.CData.at(99)); }, 0, false},
  };
  for (const Change& c : changes) {
    SCOPED_TRACE(c.what);
    TWKFILE doc = test::StandardDocument(100);
    const EditorState state;
    CanvasComposer composer;
    ASSERT_TRUE(composer.Compose(*grid, doc, state, kPpu, kPpu, c.deepestSelected));
    const long long before = composer.LayersPainted();
    c.change(doc);
    const auto picture = composer.Compose(*grid, doc, state, kPpu, kPpu, c.deepestSelected);
    ASSERT_TRUE(picture);
    EXPECT_EQ(test::MaxDifference(*picture, *ComposeCanvas(*grid, doc, kPpu, kPpu)), 0);
    EXPECT_EQ(composer.LayersPainted() - before, c.layersPainted);
    EXPECT_EQ(composer.HasCachedLayer(), c.layerKept);
  }
}

// Keys on the selection one after another: each picture starts from the
// rows the one before left.
TEST(CanvasLayer, KeysInARowRepaintOnlyTheRowsTheyReachAndStayExact) {
  const auto grid = BuildGridImage(340, 340, 16, 16);
  TWKFILE doc = test::StandardDocument(100);
  const TWKDATA first = *doc.CData.at(50);
  const EditorState state;
  CanvasComposer composer;
  ASSERT_TRUE(composer.Compose(*grid, doc, state, kPpu, kPpu, 50));
  const std::function<void()> steps[] = {
      [&] { Nudge(*doc.CData.at(50)); },
      [&] { Nudge(*doc.CData.at(50)); },
      [&] { doc.CData.at(10)->Visible = 0; },
      [&] { doc.CData.at(10)->Visible = 1, Nudge(*doc.CData.at(3)); },
      [&] { *doc.CData.at(50) = first; },
  };
  for (const auto& step : steps) {
    step();
    const auto picture = composer.Compose(*grid, doc, state, kPpu, kPpu, 50);
    ASSERT_TRUE(picture);
    EXPECT_EQ(test::MaxDifference(*picture, *ComposeCanvas(*grid, doc, kPpu, kPpu)), 0);
  }
  EXPECT_EQ(composer.LayersPainted(), 1);
}

}  // namespace
}  // namespace twk
