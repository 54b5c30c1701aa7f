// Rendering and encoding in memory kept from one size to the next gives the
// very pixels and PNG bytes of a fresh image at every size, whatever the
// order of the sizes and whatever the memory held before.

#include <gtest/gtest.h>

#include <vector>

#include "render/KeptImage.h"
#include "render/PngWriter.h"
#include "render/SceneRenderer.h"
#include "tests/render/RenderTestSupport.h"

namespace twk {
namespace {

TEST(KeptRender, EverySizeMatchesAFreshImageInPixelsAndPngBytes) {
  const TWKFILE icon = test::StandardDocument(100);
  const TWKFILE empty;
  struct Case {
    const TWKFILE& doc;
    float scale;
  };
  // Falling sizes as an export takes them; then rising ones, which make the
  // memory grow; then nothing to paint over what the last encode left.
  const Case cases[] = {{icon, 64}, {icon, 48}, {icon, 32}, {icon, 16}, {icon, 12}, {icon, 10},
                        {icon, 8},  {icon, 6},  {icon, 4},  {icon, 3},  {icon, 2},  {icon, 1},
                        {icon, 3},  {icon, 48}, {icon, 64}, {empty, 64}, {icon, 2.5f}};
  KeptImage kept;
  std::vector<std::uint8_t> bytes;  // reused as an export thread reuses it
  for (const Case& c : cases) {
    const auto fresh = RenderDocument(c.doc, c.scale, c.scale, RenderArea::kFull);
    Image* reused = RenderDocumentInto(kept, c.doc, c.scale, c.scale, RenderArea::kFull);
    ASSERT_TRUE(fresh && reused) << c.scale;
    EXPECT_EQ(test::MaxDifference(*reused, *fresh), 0) << c.scale;
    ASSERT_TRUE(EncodePngInPlace(*reused, bytes)) << c.scale;
    EXPECT_EQ(bytes, EncodePng(*fresh)) << c.scale;
  }
}

}  // namespace
}  // namespace twk
