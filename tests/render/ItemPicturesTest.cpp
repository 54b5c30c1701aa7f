// The items' own kept pictures: keyed by the items' revisions, so a change
// elsewhere in the list keeps them, and held under a budget of bytes that
// does not grow with the scale.

#include <gtest/gtest.h>

#include "render/SceneRenderer.h"
#include "render/RenderTestSupport.h"
#include "render/canvas/ItemPictures.h"

namespace twk {
namespace {

constexpr float kPpu = 20.0f;

std::unique_ptr<Image> Blank(const TWKFILE& doc, float ppu) {
  const PixelSize size = RenderImageSize(doc, ppu, ppu, RenderArea::kDocument);
  return Image::NewTransparent(size.width, size.height);
}

PixelArea All(const Image& image) { return {0, 0, image.width(), image.height()}; }

TEST(ItemPictures, PastTheBudgetNothingIsBlendedAndTheCallerPaints) {
  const TWKFILE doc = test::StandardDocument(100);
  auto behind = Blank(doc, kPpu);
  ASSERT_TRUE(behind);
  PaintItems(*behind, doc, kPpu, kPpu, RenderArea::kDocument, 40, 99);

  ItemPictures roomy;
  auto blended = behind->Clone();
  ASSERT_TRUE(roomy.Blend(*blended, doc, 0, 39, kPpu, kPpu, All(*blended)));
  EXPECT_GT(test::MaxDifference(*blended, *behind), 0);

  // Half the memory all forty pictures take.
  ItemPictures tight(roomy.bytes() / 2);
  auto untouched = behind->Clone();
  EXPECT_FALSE(tight.Blend(*untouched, doc, 0, 39, kPpu, kPpu, All(*untouched)));
  EXPECT_EQ(test::MaxDifference(*untouched, *behind), 0);
  EXPECT_LE(tight.bytes(), roomy.bytes() / 2);
}

// At twice the screen scale the same pictures take four times the memory:
// the budget that held them at the plain scale no longer does.
TEST(ItemPictures, TheBudgetIsTheSameBytesAtEveryScale) {
  const TWKFILE doc = test::StandardDocument(100);
  ItemPictures plain;
  auto plainCanvas = Blank(doc, kPpu);
  ASSERT_TRUE(plain.Blend(*plainCanvas, doc, 0, 99, kPpu, kPpu, All(*plainCanvas)));
  const std::size_t budget = plain.bytes() * 5 / 4;
  ItemPictures doubled(budget);
  auto doubledCanvas = Blank(doc, 2 * kPpu);
  EXPECT_FALSE(doubled.Blend(*doubledCanvas, doc, 0, 99, 2 * kPpu, 2 * kPpu, All(*doubledCanvas)));
  EXPECT_LE(doubled.bytes(), budget);
}

// A new item and a copy put in front, the old front item deleted: every
// other item keeps its picture, and the blend is that of pictures made
// afresh.
TEST(ItemPictures, AChangeAtTheFrontKeepsTheOtherItemsPictures) {
  TWKFILE doc = test::StandardDocument(100);
  ItemPictures pictures;
  auto canvas = Blank(doc, kPpu);
  ASSERT_TRUE(pictures.Blend(*canvas, doc, 0, 49, kPpu, kPpu, All(*canvas)));
  ASSERT_EQ(pictures.picturesPainted(), 50);

  TWKDATA fresh = *doc.CData.at(70);
  Touch(fresh);
  doc.CData.insertFront(fresh);               // a new item: one picture
  doc.CData.insertFront(*doc.CData.at(11));  // a copy of item 10 shares its picture
  (void)doc.CData.take(2);                   // the old front item
  auto kept = Blank(doc, kPpu);
  ASSERT_TRUE(pictures.Blend(*kept, doc, 0, 50, kPpu, kPpu, All(*kept)));  // items 1..49 behind the two
  EXPECT_EQ(pictures.picturesPainted(), 51);

  ItemPictures afresh;
  auto expected = Blank(doc, kPpu);
  ASSERT_TRUE(afresh.Blend(*expected, doc, 0, 50, kPpu, kPpu, All(*expected)));
  EXPECT_EQ(test::MaxDifference(*kept, *expected), 0);
}

}  // namespace
}  // namespace twk
