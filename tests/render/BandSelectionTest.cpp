// Which items a rubber band touches: those with a painted pixel inside it,
// at 10 pixels a unit on the 160-pixel canvas of a 16 x 16 document.

#include <gtest/gtest.h>

#include "render/BandSelection.h"
#include "tests/render/RenderTestSupport.h"

namespace twk {
namespace {

using test::DocumentOf;
using test::MakeEllipse;
using test::MakeItem;

TEST(BandSelection, TouchesPaintedPixelsOnly) {
  TWKDATA rect = MakeItem(kRect, 2, 5, 8, 9);
  rect.DrawMethod = kFill;
  TWKDATA hidden = MakeItem(kLine, 0, 0, 16, 16);
  hidden.Visible = 0;
  TWKDATA clear = MakeItem(kLine, 0, 0, 16, 16, PackRGBA(0, 0, 0, 0));
  TWKDATA turned = MakeItem(kLine, 10, 2, 14, 2, PackRGBA(0, 0, 0, 255), 0.2f);
  turned.DrawAngle = 90;  // painted upright, from (12, 0) to (12, 4)
  TWKFILE doc = DocumentOf({
      MakeItem(kLine, 2, 2, 8, 2, PackRGBA(0, 0, 0, 255), 0.2f),  // 0: pixels 20..80 on rows 19 and 20
      rect,                                                       // 1: pixels 20..79 x 50..89
      // 2: a ring of radius 30 pixels and pen 10 about pixel 120, 120
      MakeEllipse(12, 12, 3, 3, 0, 360),
      hidden,                                                     // 3
      clear,                                                      // 4
      turned,                                                     // 5
  });
  doc.TWKW = doc.TWKH = 16;
  const struct {
    PixelArea band;
    std::vector<int> touched;
  } cases[] = {
      {{0, 0, 160, 160}, {0, 1, 2, 5}},     // everything shown
      {{40, 60, 50, 70}, {1}},              // wholly inside a fill
      {{0, 40, 21, 51}, {1}},               // the fill's first pixel
      {{0, 40, 20, 50}, {}},                // just before it
      {{50, 15, 52, 25}, {0}},              // across the line
      {{50, 23, 60, 30}, {}},               // beside it
      {{115, 115, 125, 125}, {}},           // in the ring's hole, inside its box
      {{90, 115, 125, 125}, {2}} ,          // over the ring's left side
      {{125, 15, 140, 25}, {}},             // where the turned line would lie unturned
      {{115, 25, 125, 35}, {5}},            // where it is painted
      {{160, 0, 200, 200}, {}},             // beyond the document's area
      {{40, 40, 40, 60}, {}},               // no pixel at all
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ItemsTouchingBand(doc, c.band, 10, 10), c.touched)
        << c.band.left << "," << c.band.top << " - " << c.band.right << "," << c.band.bottom;
  }
}

TEST(BandSelection, OutlineRunsAlongTheBandsOuterPixels) {
  auto canvas = Image::NewFilled(20, 20, PackRGBA(128, 128, 128, 255));
  PaintBandOutline(*canvas, {4, 4, 15, 12});
  const Rgba ground{128, 128, 128, 255};
  EXPECT_EQ(canvas->PixelAt(5, 4), (Rgba{0, 0, 0, 255}));  // the top side starts with a dash
  EXPECT_NE(canvas->PixelAt(14, 8), ground);              // the right side
  EXPECT_EQ(canvas->PixelAt(9, 8), ground);               // the inside shows through
  EXPECT_EQ(canvas->PixelAt(1, 1), ground);
}

}  // namespace
}  // namespace twk
