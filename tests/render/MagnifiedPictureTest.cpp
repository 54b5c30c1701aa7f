// The Preview's magnified pictures: every pixel a square of its own colour,
// and from x4 up a faint grid on the first row and column of each square.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "render/preview/MagnifiedPicture.h"

namespace twk {
namespace {

TEST(MagnifiedPicture, EachPixelBecomesASquareWithAGridFromX4) {
  // Three opaque pixels and a half-transparent one, in premultiplied bytes.
  const std::uint32_t pixels[] = {0xFFFFFFFF, 0xFF000000, 0xFF3060C0, 0x80402000};
  auto source = Image::NewTransparent(2, 2);
  ASSERT_TRUE(source);
  for (int i = 0; i < 4; ++i)
    reinterpret_cast<std::uint32_t*>(source->data() + (i / 2) * source->stride())[i % 2] = pixels[i];
  source->MarkDirty();
  for (int factor : kMagnifications) {
    SCOPED_TRACE(factor);
    const auto big = MagnifiedPicture(*source, factor);
    ASSERT_TRUE(big);
    ASSERT_EQ(big->width(), 2 * factor);
    ASSERT_EQ(big->height(), 2 * factor);
    for (int y = 0; y < big->height(); ++y) {
      for (int x = 0; x < big->width(); ++x) {
        const Rgba from = source->PixelAt(x / factor, y / factor), shown = big->PixelAt(x, y);
        if (factor < kGridFromFactor || (x % factor != 0 && y % factor != 0)) {
          ASSERT_EQ(shown, from) << x << "," << y;
          continue;
        }
        // A quarter of the way towards mid grey, in straight colour.
        const auto near = [](int got, double want) { return std::abs(got - want) <= 1.5; };
        ASSERT_EQ(shown.a, from.a);
        ASSERT_TRUE(near(shown.r, 0.75 * from.r + 32) && near(shown.g, 0.75 * from.g + 32) &&
                    near(shown.b, 0.75 * from.b + 32))
            << x << "," << y << ": " << int(shown.r) << " " << int(shown.g) << " " << int(shown.b);
      }
    }
  }
  EXPECT_EQ(MagnifiedPicture(*source, 9), nullptr);
}

}  // namespace
}  // namespace twk
