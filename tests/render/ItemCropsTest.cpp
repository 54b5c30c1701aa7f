// The items' own kept pictures under their memory budget.

#include <gtest/gtest.h>

#include "render/ItemCrops.h"
#include "render/SceneRenderer.h"
#include "render/RenderTestSupport.h"

namespace twk {
namespace {

TEST(ItemCrops, PastTheBudgetNothingIsBlendedAndTheCallerPaints) {
  constexpr float kPpu = 20.0f;
  const TWKFILE doc = test::StandardDocument(100);
  const PixelSize size = RenderImageSize(doc, kPpu, kPpu, RenderArea::kDocument);
  auto behind = Image::NewTransparent(size.width, size.height);
  ASSERT_TRUE(behind);
  PaintItems(*behind, doc, kPpu, kPpu, RenderArea::kDocument, 40, 99);

  ItemCrops roomy;
  auto blended = behind->Clone();
  ASSERT_TRUE(roomy.Blend(*blended, doc, 0, 39, kPpu, kPpu, {0, 0, size.width, size.height}));
  EXPECT_GT(test::MaxDifference(*blended, *behind), 0);

  // Half the memory all forty pictures take.
  ItemCrops tight(roomy.bytes() / 2);
  auto untouched = behind->Clone();
  EXPECT_FALSE(tight.Blend(*untouched, doc, 0, 39, kPpu, kPpu, {0, 0, size.width, size.height}));
  EXPECT_EQ(test::MaxDifference(*untouched, *behind), 0);
  EXPECT_LE(tight.bytes(), roomy.bytes() / 2);
}

}  // namespace
}  // namespace twk
