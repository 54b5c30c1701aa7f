// The selection marks on a tiny canvas at 10 px per unit: each mark is a
// dark pixel line between light ones, over an untouched grey ground.

#include <gtest/gtest.h>

#include "render/SelectionMarks.h"
#include "tests/render/RenderTestSupport.h"

namespace twk {
namespace {

using test::DocumentOf;
using test::MakeItem;

constexpr Rgba kDark{0, 0, 0, 255};
constexpr Rgba kLight{255, 255, 255, 255};
constexpr Rgba kGround{128, 128, 128, 255};

std::unique_ptr<Image> Ground() { return Image::NewFilled(40, 40, PackRGBA(128, 128, 128, 255)); }

// The pixels of row `y` from x0 to x1.
std::vector<Rgba> Row(const Image& image, int y, int x0, int x1) {
  std::vector<Rgba> row;
  for (int x = x0; x <= x1; ++x) row.push_back(image.PixelAt(x, y));
  return row;
}

TEST(SelectionMarks, HandlesAndGuidesOfOneItem) {
  TWKDATA curve = MakeItem(kCurve, 1, 1, 3, 3, PackRGBA(0, 0, 0, 255), 0.1f);
  curve.X2 = 3, curve.Y2 = 1, curve.X3 = 1, curve.Y3 = 3;
  const TWKFILE doc = DocumentOf({curve, MakeItem(kLine, 1, 2, 3, 2)});
  auto canvas = Ground();
  PaintSelectionMarks(*canvas, doc, {0}, 10, 10);
  // The start's handle on pixel (10, 10): light, dark ring, light inside; the
  // guide goes on to the right.
  EXPECT_EQ(Row(*canvas, 10, 6, 14),
            (std::vector<Rgba>{kGround, kLight, kDark, kLight, kLight, kLight, kDark, kLight, kDark}));
  EXPECT_EQ(Row(*canvas, 8, 8, 12), (std::vector<Rgba>(5, kDark)));
  // The first control's guide runs along row 10, light above and below.
  EXPECT_EQ(canvas->PixelAt(20, 10), kDark);
  EXPECT_EQ(canvas->PixelAt(20, 9), kLight);
  EXPECT_EQ(canvas->PixelAt(20, 11), kLight);
  EXPECT_EQ(canvas->PixelAt(20, 8), kGround);
  // The unselected line's handle and the box of a larger selection are absent.
  EXPECT_EQ(canvas->PixelAt(10, 20), kGround);
  EXPECT_EQ(canvas->PixelAt(18, 8), kGround);
}

TEST(SelectionMarks, DashedBoxAroundSeveralItems) {
  const TWKFILE doc = DocumentOf({MakeItem(kLine, 1, 1, 3, 1, PackRGBA(0, 0, 0, 255), 0),
                                  MakeItem(kLine, 1, 3, 3, 3, PackRGBA(0, 0, 0, 255), 0)});
  auto canvas = Ground();
  PaintSelectionMarks(*canvas, doc, {0, 1}, 10, 10);
  // Two pixels clear of the items' box (10..30): rows and columns 8 and 31.
  EXPECT_EQ(canvas->PixelAt(18, 8), kDark);   // a dash
  EXPECT_EQ(canvas->PixelAt(14, 8), kLight);  // a gap shows the light border
  EXPECT_EQ(canvas->PixelAt(18, 7), kLight);
  EXPECT_EQ(canvas->PixelAt(18, 9), kLight);
  EXPECT_EQ(canvas->PixelAt(18, 6), kGround);
  EXPECT_EQ(canvas->PixelAt(31, 18).a, 255);
  EXPECT_NE(canvas->PixelAt(31, 18), kGround);
  EXPECT_EQ(canvas->PixelAt(20, 20), kGround);
}

TEST(SelectionMarks, ASelectionTooLargeForHandlesShowsItsBoxAlone) {
  TWKFILE doc;
  std::vector<int> all;
  for (std::size_t i = 0; i <= kMostItemsWithHandles; ++i) {
    doc.CData.append(MakeItem(kLine, 1, 1, 3, 3, PackRGBA(0, 0, 0, 255), 0));
    all.push_back(static_cast<int>(i));
  }
  auto canvas = Ground();
  PaintSelectionMarks(*canvas, doc, all, 10, 10);
  EXPECT_EQ(canvas->PixelAt(18, 8), kDark);     // the box's top edge, a dash
  EXPECT_EQ(canvas->PixelAt(11, 11), kGround);  // no handle at the start
  all.pop_back();
  PaintSelectionMarks(*canvas, doc, all, 10, 10);
  EXPECT_NE(canvas->PixelAt(11, 11), kGround);
}

TEST(SelectionMarks, MarksBeyondTheCanvasStayOnItsBorder) {
  // Items far larger than the canvas: the box's sides fall on its border
  // pixels; one item wholly beyond it keeps its handles on the border.
  const TWKFILE doc = DocumentOf({MakeItem(kLine, -20, -20, 60, 60, PackRGBA(0, 0, 0, 255), 0),
                                  MakeItem(kLine, -20, 60, 60, -20, PackRGBA(0, 0, 0, 255), 0),
                                  MakeItem(kLine, 50, 50, 60, 60, PackRGBA(0, 0, 0, 255), 0)});
  auto canvas = Ground();
  PaintSelectionMarks(*canvas, doc, {0, 1}, 10, 10);
  EXPECT_EQ(canvas->PixelAt(17, 0), kDark);   // the top side, a dash
  EXPECT_EQ(canvas->PixelAt(39, 19), kDark);  // the right side
  auto beyond = Ground();
  PaintSelectionMarks(*beyond, doc, {2}, 10, 10);
  // The handle in the bottom-right corner: light to the border, its ring
  // one pixel in.
  EXPECT_EQ(Row(*beyond, 36, 32, 39), (std::vector<Rgba>{kGround, kLight, kDark, kLight, kLight, kLight, kDark, kLight}));
  EXPECT_EQ(beyond->PixelAt(20, 20), kGround);
}

}  // namespace
}  // namespace twk
