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
  const double canvasBytes = 4.0 * size.width * size.height;
  ItemCrops tight(roomy.bytes() / 2 / canvasBytes);
  auto untouched = behind->Clone();
  EXPECT_FALSE(tight.Blend(*untouched, doc, 0, 39, kPpu, kPpu, {0, 0, size.width, size.height}));
  EXPECT_EQ(test::MaxDifference(*untouched, *behind), 0);
  EXPECT_LE(tight.bytes(), roomy.bytes() / 2);
}

// The budget is counted in whole canvases: at twice the screen scale the
// pictures take four times the memory, and the same items still fit.
TEST(ItemCrops, TheBudgetGrowsWithTheCanvas) {
  const TWKFILE doc = test::StandardDocument(100);
  auto blendAll = [&](ItemCrops& crops, float ppu) {
    const PixelSize size = RenderImageSize(doc, ppu, ppu, RenderArea::kDocument);
    auto image = Image::NewTransparent(size.width, size.height);
    return crops.Blend(*image, doc, 0, 99, ppu, ppu, {0, 0, size.width, size.height});
  };
  ItemCrops plain;
  ASSERT_TRUE(blendAll(plain, 20.0f));
  const PixelSize size = RenderImageSize(doc, 20.0f, 20.0f, RenderArea::kDocument);
  ItemCrops justEnough(1.25 * plain.bytes() / (4.0 * size.width * size.height));
  EXPECT_TRUE(blendAll(justEnough, 40.0f));
}

}  // namespace
}  // namespace twk
