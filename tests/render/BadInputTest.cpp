#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "render/SceneRenderer.h"
#include "tests/render/RenderTestSupport.h"

namespace twk {
namespace {

using test::MakeItem;

// Every float field of every kind, method and end style set in turn to each
// troublesome value, the other fields sane.
std::vector<TWKDATA> TroublesomeItems() {
  const float inf = std::numeric_limits<float>::infinity();
  const float values[] = {std::nanf(""), inf, -inf, 1e38f, -1e38f, 1e-38f, 0.0f, -3.0f, 1e7f, -2e6f};
  float TWKDATA::*fields[] = {&TWKDATA::DrawWidth, &TWKDATA::DrawAngle, &TWKDATA::X1, &TWKDATA::Y1,
                              &TWKDATA::X2,        &TWKDATA::Y2,        &TWKDATA::X3, &TWKDATA::Y3,
                              &TWKDATA::X4,        &TWKDATA::Y4};
  std::vector<TWKDATA> items;
  for (int type = 0; type < 4; ++type)
    for (int method = 0; method < 3; ++method)
      for (int style = 0; style < 3; ++style)
        for (auto field : fields)
          for (float v : values) {
            TWKDATA it = MakeItem(type, 3, 4, 12, 11, PackRGBA(0, 0, 255, 200), 0.5f);
            it.X2 = 5, it.Y2 = 330, it.X3 = 9, it.Y3 = 2;
            it.DrawMethod = static_cast<std::uint8_t>(method);
            it.DrawMethod2 = static_cast<std::uint8_t>(style);
            it.*field = v;
            items.push_back(it);
          }
  // Codes far outside their tables.
  TWKDATA odd = MakeItem(200, 1, 1, 15, 15);
  items.push_back(odd);
  odd = MakeItem(2, 1, 1, 15, 15, PackRGBA(0, 0, 255, 255), 1e38f);
  odd.DrawMethod = 255, odd.DrawMethod2 = 255;
  items.push_back(odd);
  return items;
}

TEST(BadInput, TroublesomeItemsDoNotStopTheItemsAroundThem) {
  TWKFILE doc;
  const TWKDATA marker = MakeItem(2, 14.25f, 14.25f, 15.75f, 15.75f, PackRGBA(255, 0, 0, 255), 0.1f);
  doc.CData.append(marker);  // painted last, over everything
  for (const TWKDATA& it : TroublesomeItems()) doc.CData.append(it);
  doc.CData.at(0)->DrawMethod = 1;
  for (float ppu : {20.0f, 64.0f}) {
    const auto img = RenderDocument(doc, ppu, ppu, RenderArea::kFull);
    ASSERT_TRUE(img);
    const int c = static_cast<int>(15 * ppu);
    EXPECT_EQ(img->PixelAt(c, c), (Rgba{255, 0, 0, 255})) << "at " << ppu << " px per unit";
  }
}

TEST(BadInput, BadDocumentSizesAndScales) {
  TWKFILE doc = test::DocumentOf({MakeItem(0, 1, 1, 15, 15)});
  const float inf = std::numeric_limits<float>::infinity();
  for (float side : {std::nanf(""), inf, -inf, -4.0f, 0.0f, 1e38f}) {
    doc.TWKW = doc.TWKH = side;
    const auto img = RenderDocument(doc, 20, 20, RenderArea::kDocument);
    ASSERT_TRUE(img);
    EXPECT_LE(img->width(), 320);
  }
  doc.TWKW = doc.TWKH = 16;
  EXPECT_FALSE(RenderDocument(doc, 1e30f, 1e30f, RenderArea::kFull));  // far too large to make
  for (float ppu : {std::nanf(""), -20.0f, 0.0f}) {
    const auto img = RenderDocument(doc, ppu, ppu, RenderArea::kFull);
    ASSERT_TRUE(img);
    EXPECT_EQ(img->width(), 1);
  }
}

}  // namespace
}  // namespace twk
