// The banded, culled, two-thread renderer and the one-pass canvas compose
// must give exactly the pixels of the plain path: one cairo context on the
// whole image painting every item, then the layer blended over a grid copy.

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "render/BandPainter.h"
#include "render/Grid.h"
#include "render/ItemPainter.h"
#include "render/RasterOps.h"
#include "render/SceneRenderer.h"
#include "render/VectorSurface.h"
#include "render/RenderTestSupport.h"

namespace twk {
namespace {

using test::MakeItem;
using test::MaxDifference;
using test::StandardDocument;

// The plain path: one surface over the whole image, last item first.
std::unique_ptr<Image> PlainRender(const TWKFILE& doc, float ppu, RenderArea area) {
  const PixelSize size = RenderImageSize(doc, ppu, ppu, area);
  auto image = Image::NewTransparent(size.width, size.height);
  VectorSurface surface(*image);
  const double w = area == RenderArea::kFull ? 16.0 : std::clamp(doc.TWKW, 1.0f, 16.0f);
  const double h = area == RenderArea::kFull ? 16.0 : std::clamp(doc.TWKH, 1.0f, 16.0f);
  surface.ScaleBy(surface.width() / w, surface.height() / h);
  for (int i = doc.CData.size() - 1; i >= 0; --i) PaintItem(surface, *doc.CData.at(i));
  return image;
}

std::unique_ptr<Image> PlainCanvas(const Image& grid, const TWKFILE& doc, float ppu) {
  auto canvas = grid.Clone();
  auto layer = PlainRender(doc, ppu, RenderArea::kDocument);
  BlendImage(*canvas, *layer, 0, 0);
  return canvas;
}

TEST(BandedRender, StandardDocumentsMatchThePlainPathExactly) {
  const auto grid = BuildGridImage(320, 320, 16, 16);
  for (int count : {10, 100, 1000}) {
    const TWKFILE doc = StandardDocument(count);
    ASSERT_EQ(doc.CData.size(), count);
    EXPECT_EQ(MaxDifference(*ComposeCanvas(*grid, doc, 20.0f, 20.0f), *PlainCanvas(*grid, doc, 20.0f)), 0) << count;
    EXPECT_EQ(MaxDifference(*RenderDocument(doc, 64.0f, 64.0f, RenderArea::kFull),
                            *PlainRender(doc, 64.0f, RenderArea::kFull)), 0)
        << count;
  }
}

// Items whose paint crosses the middle row only through a mitre tip, a
// square cap's corner, a dot or a rotation, in several opacities.
TWKFILE BoundaryDocument() {
  TWKFILE doc;
  const std::int32_t opaque = PackRGBA(200, 30, 60, 255), half = PackRGBA(20, 90, 240, 128);
  // A sharp mitred V whose tip points at the middle row (8 units) from above.
  TWKDATA v = MakeItem(kCurve, 3.0f, 4.0f, 5.0f, 4.0f, opaque, 0.5f);
  v.X2 = 4.0f, v.Y2 = 7.6f, v.X3 = 4.0f, v.Y3 = 7.6f;
  doc.CData.append(v);
  TWKDATA box = MakeItem(kRect, 8.0f, 6.5f, 10.0f, 7.4f, half, 1.0f);  // miter corners, rotated
  box.DrawAngle = 33.0f;
  doc.CData.append(box);
  TWKDATA cap = MakeItem(kLine, 11.0f, 7.0f, 13.0f, 7.2f, opaque, 1.5f);  // square cap corner
  cap.DrawAngle = 45.0f;
  doc.CData.append(cap);
  // Only the mitred corner of this diamond passes y = 8: the pen's half
  // width alone ends at 7.86 units, the corner reaches 8.13.
  TWKDATA diamond = MakeItem(kRect, 8.0f, 6.0f, 9.0f, 7.0f, opaque, 1.3f);
  diamond.DrawAngle = 45.0f, diamond.DrawMethod2 = kCenterEnds;  // flat caps: only the mitre reaches
  doc.CData.append(diamond);
  // Only the corner of this square cap passes y = 8 (7.98 against 8.03).
  TWKDATA corner = MakeItem(kLine, 14.0f, 7.5f, 15.0f, 7.5f, opaque, 0.25f);
  corner.DrawAngle = 45.0f;
  doc.CData.append(corner);
  for (int style = 0; style < 3; ++style) {
    TWKDATA dots = MakeItem(kEllipse, 3.0f + 4.5f * style, 10.0f, 5.0f + 4.5f * style, 12.0f, half, 0.75f);
    dots.DrawMethod = kDots, dots.DrawMethod2 = static_cast<std::uint8_t>(style), dots.X2 = 10, dots.Y2 = 300;
    doc.CData.append(dots);
  }
  TWKDATA fill = MakeItem(kEllipse, 8.0f, 8.0f, 11.0f, 9.5f, half, 0.5f);
  fill.DrawMethod = kFill, fill.X2 = 0, fill.Y2 = 360;
  doc.CData.append(fill);
  TWKDATA far = MakeItem(kLine, -5.0f, -5.0f, 30.0f, 30.0f, opaque, 0.25f);  // ends beyond the image
  far.DrawMethod = kDots;
  doc.CData.append(far);
  return doc;
}

TEST(BandedRender, ItemsCrossingBandEdgesAndCulledItemsKeepTheirPixels) {
  const TWKFILE doc = BoundaryDocument();
  for (float ppu : {20.0f, 23.0f, 64.0f}) {
    auto plain = PlainRender(doc, ppu, RenderArea::kFull);
    EXPECT_EQ(MaxDifference(*RenderDocument(doc, ppu, ppu, RenderArea::kFull), *plain), 0) << ppu;
    // Three uneven bands painted one after another on this thread.
    auto rows = Image::NewTransparent(plain->width(), plain->height());
    const int h = plain->height(), cuts[] = {0, h / 3 + 1, h / 2 + 7, h};
    for (int b = 0; b < 3; ++b)
      PaintItemsInRows(*rows, doc, 16.0, 16.0, 0, doc.CData.size() - 1, cuts[b], cuts[b + 1]);
    rows->MarkDirty();
    EXPECT_EQ(MaxDifference(*rows, *plain), 0) << ppu;
  }
}

TEST(BandedRender, SmallDocumentAreasComposeLikeTheGridCopyWithBlend) {
  TWKFILE doc = BoundaryDocument();
  const auto grid = BuildGridImage(320, 320, 16, 1);
  doc.TWKW = 20.0f, doc.TWKH = 0.5f;  // a 320 x 20 strip
  EXPECT_EQ(MaxDifference(*ComposeCanvas(*grid, doc, 20.0f, 20.0f), *PlainCanvas(*grid, doc, 20.0f)), 0);
  doc.TWKW = 7.3f, doc.TWKH = 11.0f;
  const auto grid2 = BuildGridImage(320, 320, 7, 11);
  EXPECT_EQ(MaxDifference(*ComposeCanvas(*grid2, doc, 20.0f, 20.0f), *PlainCanvas(*grid2, doc, 20.0f)), 0);
  TWKFILE empty;
  EXPECT_EQ(MaxDifference(*ComposeCanvas(*grid, empty, 20.0f, 20.0f), *grid), 0);
}

TEST(ComposeRows, EveryPremultipliedPixelBlendsAsBlendImageDoes) {
  // Every alpha over a varied opaque base, with colour values up to alpha.
  std::mt19937 rng(7);
  auto base = Image::NewTransparent(256, 64);
  auto layer = Image::NewTransparent(200, 40);  // smaller: the rest is plain base
  for (int y = 0; y < base->height(); ++y)
    for (int x = 0; x < base->width(); ++x)
      reinterpret_cast<std::uint32_t*>(base->data() + y * base->stride())[x] = 0xFF000000u | (rng() & 0xFFFFFF);
  for (int y = 0; y < layer->height(); ++y)
    for (int x = 0; x < layer->width(); ++x) {
      const std::uint32_t a = (x + 256 * y) % 256;
      auto channel = [&] { return a == 0 ? 0u : rng() % (a + 1); };
      reinterpret_cast<std::uint32_t*>(layer->data() + y * layer->stride())[x] =
          (a << 24) | (channel() << 16) | (channel() << 8) | channel();
    }
  base->MarkDirty();
  layer->MarkDirty();
  auto expected = base->Clone();
  BlendImage(*expected, *layer, 0, 0);
  auto composed = Image::NewTransparent(256, 64);
  ComposeRows(*composed, *base, *layer, 0, 30);
  ComposeRows(*composed, *base, *layer, 30, 64);
  composed->MarkDirty();
  EXPECT_EQ(MaxDifference(*composed, *expected), 0);
}

}  // namespace
}  // namespace twk
