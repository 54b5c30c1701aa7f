#include <gtest/gtest.h>

#include "render/Grid.h"
#include "render/Palette.h"
#include "tests/render/RenderTestSupport.h"

namespace twk {
namespace {

constexpr Rgba kGrey{206, 206, 206, 255};
constexpr Rgba kWhite{255, 255, 255, 255};
constexpr Rgba kBlack{0, 0, 0, 255};

TEST(Palette, DefaultHasNineFixedColoursThenRandomOnes) {
  std::vector<std::int32_t> palette{1, 2, 3};
  std::int32_t cur = 0x123456;
  std::mt19937 rng(7);
  DefaultPalette(palette, cur, rng);
  ASSERT_EQ(palette.size(), 24u);
  const std::vector<std::int32_t> fixed{0x000000, 0xFFFFFF, 0x808080, 0x0000FF, 0x00FF00,
                                        0xFF0000, 0x00FFFF, 0xFF00FF, 0xFFFF00};
  EXPECT_EQ(std::vector<std::int32_t>(palette.begin(), palette.begin() + 9), fixed);
  EXPECT_EQ(cur, 0);
  for (std::int32_t c : palette) EXPECT_EQ(AlphaOf(c), 0);
  std::mt19937 other(8);
  std::vector<std::int32_t> second;
  DefaultPalette(second, cur, other);
  EXPECT_NE(std::vector<std::int32_t>(palette.begin() + 9, palette.end()),
            std::vector<std::int32_t>(second.begin() + 9, second.end()));
}

TEST(Palette, MarkGreyOfTheFixedColours) {
  EXPECT_EQ(MarkGrey(0, 0, 0), 127);
  EXPECT_EQ(MarkGrey(255, 255, 255), 127);
  EXPECT_EQ(MarkGrey(128, 128, 128), 0);
  EXPECT_EQ(MarkGrey(255, 0, 0), 212);
  EXPECT_EQ(MarkGrey(0, 255, 0), 32);
  EXPECT_EQ(MarkGrey(0, 0, 255), 212);
  EXPECT_EQ(MarkGrey(255, 255, 0), 42);
  EXPECT_EQ(MarkGrey(255, 0, 255), 250);
  EXPECT_EQ(MarkGrey(0, 255, 255), 42);
}

TEST(Palette, MarkGreyEndsForEveryColour) {
  EXPECT_EQ(MarkGrey(46, 255, 53), 0);  // lum 170 cycles 245, 75, 160: light, so black
  for (int r = 0; r < 256; r += 3)
    for (int g = 0; g < 256; g += 5)
      for (int b = 0; b < 256; b += 7) {
        const int L = MarkGrey(r, g, b);
        ASSERT_GE(L, 0);
        ASSERT_LE(L, 255);
      }
}

TEST(Palette, StripGeometryAt465By20) {
  auto strip = Image::NewTransparent(465, 20);
  std::vector<std::int32_t> palette;
  for (int i = 0; i < 24; ++i) palette.push_back(PackRGBA(10 * i + 5, 200, 100, 0));
  DrawPalette(*strip, palette, palette[0], 1.0f, 1.0f);
  const int starts[] = {0, 19, 38, 58, 77, 96, 116};
  for (int k = 1; k < 7; ++k) {
    const int x = starts[k];
    EXPECT_EQ(strip->PixelAt(x, 10), kBlack) << "separator of slot " << k;
    EXPECT_EQ(strip->PixelAt(x + 1, 10).r, 10 * k + 5) << "cell of slot " << k;
    EXPECT_EQ(strip->PixelAt(x - 1, 10).r, 10 * (k - 1) + 5) << "previous cell reaches up to slot " << k;
    EXPECT_EQ(strip->PixelAt(x + 1, 0), kBlack);
    EXPECT_EQ(strip->PixelAt(x + 1, 1).r, 10 * k + 5);
    EXPECT_EQ(strip->PixelAt(x + 1, 18).r, 10 * k + 5);
    EXPECT_EQ(strip->PixelAt(x + 1, 19), kBlack);
  }
  // Slot 6's cell is 20 wide: columns 116..135, its separator on 116, and
  // slot 7's separator on 135.
  EXPECT_EQ(strip->PixelAt(134, 10).r, 65);
  EXPECT_EQ(strip->PixelAt(135, 10), kBlack);
  // The mark of slot 0: centre (10, 10), radius 6, grey at the centre.
  const int L = MarkGrey(5, 200, 100);
  EXPECT_EQ(strip->PixelAt(10, 10), (Rgba{std::uint8_t(L), std::uint8_t(L), std::uint8_t(L), 255}));
  EXPECT_EQ(strip->PixelAt(16, 10), (Rgba{5, 200, 100, 255}));  // the rim takes the slot colour
  EXPECT_NE(strip->PixelAt(13, 10), strip->PixelAt(17, 10));
  EXPECT_EQ(strip->PixelAt(10 + 19, 10), (Rgba{15, 200, 100, 255}));  // no mark on slot 1
}

TEST(Palette, SlotUnderThePointer) {
  EXPECT_EQ(PaletteSlotAt(0, 465), 0);
  EXPECT_EQ(PaletteSlotAt(-5, 465), 0);
  EXPECT_EQ(PaletteSlotAt(464, 465), 23);
  EXPECT_EQ(PaletteSlotAt(19.375f, 465), 1);
}

TEST(Grid, OutlinesOnlyTheDocumentCells) {
  const auto one = BuildGridImage(320, 320, 1, 1);
  ASSERT_TRUE(one);
  EXPECT_EQ(one->PixelAt(0, 0), kGrey);
  EXPECT_EQ(one->PixelAt(19, 10), kGrey);
  EXPECT_EQ(one->PixelAt(10, 19), kGrey);
  EXPECT_EQ(one->PixelAt(10, 10), kWhite);
  EXPECT_EQ(one->PixelAt(20, 10), kWhite);  // the next cell is not outlined
  EXPECT_EQ(one->PixelAt(30, 30), kWhite);
  const auto none = BuildGridImage(320, 320, 0, 0);
  for (int y = 0; y < 320; y += 7)
    for (int x = 0; x < 320; x += 7) ASSERT_EQ(none->PixelAt(x, y), kWhite);
  const auto full = BuildGridImage(400, 400, 99, 16);
  EXPECT_EQ(full->PixelAt(399, 210), kGrey);  // 25-pixel cells, all 16 columns
  EXPECT_EQ(full->PixelAt(375, 210), kGrey);
  EXPECT_EQ(full->PixelAt(387, 210), kWhite);
  EXPECT_FALSE(BuildGridImage(0, 320, 16, 16));
}

}  // namespace
}  // namespace twk
