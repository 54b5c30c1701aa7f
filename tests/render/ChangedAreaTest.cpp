// The pixels a change reaches: the canvas rebuilds only those, so an item
// must never paint outside its reached area.

#include <gtest/gtest.h>

#include <algorithm>

#include "render/ChangedArea.h"
#include "render/RenderTestSupport.h"
#include "render/SceneRenderer.h"

namespace twk {
namespace {

constexpr float kPpu = 20.0f;
constexpr int kSize = 320;

TEST(ChangedArea, EveryPixelAnItemPaintsLiesInItsReachedArea) {
  // The standard icon's items take every kind, pen, cap, dot style and turn.
  const TWKFILE doc = test::StandardDocument(100);
  for (int i = 0; i < doc.CData.size(); ++i) {
    SCOPED_TRACE(i);
    PixelArea area;
    ASSERT_TRUE(ReachedArea(*doc.CData.at(i), kPpu, kPpu, kSize, kSize, area));
    auto image = Image::NewTransparent(kSize, kSize);
    PaintItems(*image, doc, kPpu, kPpu, RenderArea::kDocument, i, i);
    int outside = 0;
    for (int y = 0; y < kSize; ++y) {
      for (int x = 0; x < kSize; ++x) {
        const bool inside = x >= area.left && x < area.right && y >= area.top && y < area.bottom;
        if (!inside && image->PixelAt(x, y).a != 0) ++outside;
      }
    }
    EXPECT_EQ(outside, 0);
  }
}

TEST(ChangedArea, IsTheRectangleAroundTheChangedItemsBeforeAndAfter) {
  const TWKFILE before = test::DocumentOf({test::MakeItem(kLine, 2, 3, 6, 3), test::MakeItem(kRect, 10, 10, 14, 12)});
  TWKFILE after = before;
  after.CData.at(0)->X4 = 9, after.CData.at(0)->Y4 = 5;
  Touch(*after.CData.at(0));
  const std::vector<TWKDATA> painted{*before.CData.at(0), *before.CData.at(1)};
  PixelArea was, now, changed;
  ASSERT_TRUE(ReachedArea(*before.CData.at(0), kPpu, kPpu, kSize, kSize, was));
  ASSERT_TRUE(ReachedArea(*after.CData.at(0), kPpu, kPpu, kSize, kSize, now));

  ASSERT_TRUE(ChangedArea(after, {0, 1}, painted, kPpu, kPpu, kSize, kSize, changed));
  EXPECT_EQ(changed, (PixelArea{std::min(was.left, now.left), std::min(was.top, now.top),
                                std::max(was.right, now.right), std::max(was.bottom, now.bottom)}));
  ASSERT_TRUE(ChangedArea(before, {0, 1}, painted, kPpu, kPpu, kSize, kSize, changed));
  EXPECT_TRUE(changed.empty());
  EXPECT_FALSE(ChangedArea(after, {0}, painted, kPpu, kPpu, kSize, kSize, changed));
}

}  // namespace
}  // namespace twk
