// The Preview's mask cells: each platform's shape cut from the drawing on
// its ground, and the safe-area mark where the drawing pokes out.

#include <gtest/gtest.h>

#include "document/Colour.h"
#include "export/MaskPreview.h"
#include "ExportTestSupport.h"

namespace twk {
namespace {

constexpr std::int32_t kGround = PackRGBA(0x20, 0x40, 0x80, 255);

// A filled box from (from, from) to (to, to) units.
TWKFILE Box(float from, float to) {
  TWKDATA box = testing::ProbeItem(kRect, kFill, 0, 0);
  box.DrawRGBA = PackRGBA(250, 250, 0, 255);
  box.X1 = box.Y1 = from;
  box.X4 = box.Y4 = to;
  TWKFILE doc;
  doc.CData.append(box);
  return doc;
}

bool HasMark(const Image& cell) {
  for (int y = 0; y < cell.height(); ++y)
    for (int x = 0; x < cell.width(); ++x)
      if (const Rgba p = cell.PixelAt(x, y); p.r > 180 && p.g < 120 && p.b < 120) return true;
  return false;
}

TEST(MaskPreview, EachShapeCutsItsCornersAndLaysTheGroundUnderTheDrawing) {
  const MaskPreview small = MakeMaskPreview(Box(6, 10), kGround, EdgeFit::kAsDrawn);
  const Rgba clear{}, ground{0x20, 0x40, 0x80, 255}, yellow{250, 250, 0, 255};
  // Pixels of the 48-pixel cells: a corner, one `near` pixels in from it
  // (only the rounded square of Android keeps (3, 3)), the top edge's
  // middle, the centre.
  const struct {
    MaskCell cell;
    int near;
    Rgba corner, nearCorner, top, centre;
  } cases[] = {
      {MaskCell::kAndroidCircle, 3, clear, clear, ground, yellow},
      {MaskCell::kAndroidSquircle, 2, clear, clear, ground, yellow},
      {MaskCell::kAndroidRoundedSquare, 3, clear, ground, ground, yellow},
      {MaskCell::kWebMaskable, 3, clear, clear, ground, yellow},
      {MaskCell::kIos, 2, clear, clear, ground, yellow},
      {MaskCell::kDark, 3, {48, 48, 48, 255}, {48, 48, 48, 255}, {48, 48, 48, 255}, yellow},
  };
  for (const auto& c : cases) {
    const Image& cell = *small.Cell(c.cell);
    ASSERT_EQ(cell.width(), kMaskCellEdge);
    EXPECT_EQ(cell.PixelAt(0, 0), c.corner) << MaskCellName(c.cell);
    EXPECT_EQ(cell.PixelAt(c.near, c.near), c.nearCorner) << MaskCellName(c.cell);
    EXPECT_EQ(cell.PixelAt(24, 1), c.top) << MaskCellName(c.cell);
    EXPECT_EQ(cell.PixelAt(24, 24), c.centre) << MaskCellName(c.cell);
    EXPECT_FALSE(HasMark(cell)) << MaskCellName(c.cell);
  }
  EXPECT_FALSE(small.androidOutside || small.webOutside);

  // A box to the very corners leaves the 66 dp circle Android never cuts:
  // its cells are marked; the web icon keeps the box in its safe circle.
  const MaskPreview full = MakeMaskPreview(Box(0, 16), kGround, EdgeFit::kAsDrawn);
  EXPECT_TRUE(full.androidOutside);
  EXPECT_FALSE(full.webOutside);
  EXPECT_TRUE(HasMark(*full.Cell(MaskCell::kAndroidSquircle)));
  EXPECT_FALSE(HasMark(*full.Cell(MaskCell::kWebMaskable)));
  // Most of a box reaching 15 of the 16 units is still inside.
  EXPECT_FALSE(MakeMaskPreview(Box(2, 14), kGround, EdgeFit::kAsDrawn).androidOutside);
}

}  // namespace
}  // namespace twk
