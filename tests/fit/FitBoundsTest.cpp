// Fitting and the figure on items reaching far past the picture, and both
// given up when asked.
#include <gtest/gtest.h>

#include "fit/Crispness.h"
#include "fit/FitToPixels.h"
#include "render/SceneRenderer.h"
#include "tests/fit/FitDrawings.h"

namespace twk {
namespace {

std::vector<std::uint8_t> Pixels(const TWKFILE& doc, int edge) {
  const float scale = static_cast<float>(edge) / 16.0f;
  const std::unique_ptr<Image> image = RenderDocument(doc, scale, scale, RenderArea::kFull);
  std::vector<std::uint8_t> bytes;
  for (int y = 0; y < image->height(); ++y)
    bytes.insert(bytes.end(), image->data() + y * image->stride(), image->data() + y * image->stride() + 4 * edge);
  return bytes;
}

// An edge reaching far past the picture counts only its part on it: the
// figure is that of an edge just crossing the picture.
TEST(FitBounds, TheFigureOfAFarEdgeIsThatOfItsPartOnThePicture) {
  const struct {
    TWKFILE far, near;
  } cases[] = {
      {test::FarLine(1.5e8f), test::FarLine(20)},
      {test::FarLine(3e38f), test::FarLine(20)},
      {test::FarLine(10, 1e8f), test::FarLine(10, 40)},  // its end edge crosses the picture
      {test::FarLine(10, 3e38f), test::FarLine(10, 40)},
  };
  for (const auto& c : cases) {
    for (const int edge : {16, 24, 1024}) {
      const std::optional<Crispness> far = CrispnessAt(c.far, edge, false), near = CrispnessAt(c.near, edge, false);
      ASSERT_TRUE(far && near);
      EXPECT_GT(near->edgePixels, 0);
      EXPECT_EQ(far->edgePixels, near->edgePixels) << edge;
      EXPECT_EQ(far->halfTone, near->halfTone) << edge;
    }
  }
}

// A stroke whose width in pixels would leave an int paints as drawn, like
// one just wide enough to cover the picture; far points stay where they are.
TEST(FitBounds, StrokesTooWideAndPointsTooFarAreLeftAsDrawn) {
  EXPECT_EQ(Pixels(FitToPixels(test::FarLine(10, 1e8f), 1024), 1024),
            Pixels(FitToPixels(test::FarLine(10, 40), 1024), 1024));
  const TWKFILE far = test::FarLine(3e38f, 3e38f);
  EXPECT_EQ(*FitToPixels(far, 24).CData.at(0), *far.CData.at(0));
}

TEST(FitBounds, FittingAndTheFigureGiveUpWhenAskedOnTheWay) {
  const TWKFILE grid = test::HalfUnitGrid(20000);
  // Yes from the sixth question on: past the start, inside the work.
  int asked = 0;
  const StopCheck stop = [&asked] { return ++asked > 5; };
  EXPECT_FALSE(FitToPixels(grid, 24, stop));
  EXPECT_GT(asked, 5);
  const std::unique_ptr<Image> picture = RenderDocument(grid, 1.5f, 1.5f, RenderArea::kFull);
  asked = 0;
  EXPECT_FALSE(MeasureCrispness(grid, *picture, stop));
  EXPECT_GT(asked, 5);
}

}  // namespace
}  // namespace twk
