// The crispness figure M, of pictures made to order and of the realistic
// test icons exported with and without fitting.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "document/Colour.h"
#include "fit/Crispness.h"
#include "persist/DocumentFile.h"

namespace twk {
namespace {

TWKFILE Outline(float left, float top, float right, float bottom) {
  TWKDATA box;
  box.Type = kRect, box.DrawWidth = 1, box.DrawRGBA = PackRGBA(0, 0, 0, 255), box.Visible = 1;
  box.X1 = left, box.Y1 = top, box.X4 = right, box.Y4 = bottom;
  TWKFILE doc;
  doc.CData.append(box);
  return doc;
}

TEST(Crispness, AnOutlineOnCellCentresIsCrispAndHalfAPixelOffHalfToned) {
  const std::optional<Crispness> crisp = CrispnessAt(Outline(2.5, 2.5, 13.5, 13.5), 16, false);
  ASSERT_TRUE(crisp);
  // Two pixels across each of the eight straight edges (outer ones 12 px
  // long, inner ones 10), all but one pixel at each end.
  EXPECT_EQ(crisp->edgePixels, 2 * (4 * 10 + 4 * 8));
  EXPECT_EQ(crisp->M(), 0.0);

  // Half a pixel off: of each edge's two pixels one is half covered.
  const std::optional<Crispness> shifted = CrispnessAt(Outline(3, 3, 14, 14), 16, false);
  ASSERT_TRUE(shifted);
  EXPECT_NEAR(shifted->M(), 50.0, 0.5);
  // Fitted, the same outline comes out crisp.
  EXPECT_EQ(CrispnessAt(Outline(3, 3, 14, 14), 16, true)->M(), 0.0);
}

// The realistic icons in tests/data/fit, pooled per size: fitting brings
// every small size to at most 1.0.
TEST(Crispness, FittedIconsAreCrispAtEverySmallSize) {
  std::vector<TWKFILE> icons;
  for (const auto& entry : std::filesystem::directory_iterator(std::string(TARNWICK_TEST_DATA_DIR) + "/fit")) {
    TWKFILE doc;
    ASSERT_EQ(LoadDocumentFile(entry.path().string(), doc, LoadAccess::kShared), ResultCode::kOk);
    icons.push_back(std::move(doc));
  }
  ASSERT_GE(icons.size(), 10u);
  for (const int edge : {16, 20, 22, 24, 40, 48}) {
    Crispness drawn, fitted;
    for (const TWKFILE& doc : icons) {
      drawn += *CrispnessAt(doc, edge, false);
      fitted += *CrispnessAt(doc, edge, true);
    }
    std::printf("%dx%d\tdrawn %.2f\tfitted %.2f\n", edge, edge, drawn.M(), fitted.M());
    EXPECT_LE(fitted.M(), 1.0) << edge;
    EXPECT_GT(drawn.M(), 3.0) << edge;  // the icons are not crisp as drawn
  }
}

}  // namespace
}  // namespace twk
