// The preview's pictures are the export's pictures over their grounds, after
// every kind of change, while the composer repaints only what changed.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>
#include <string>

#include "render/PreviewComposer.h"
#include "render/RasterOps.h"
#include "render/SceneRenderer.h"
#include "tests/render/RenderTestSupport.h"

namespace twk {
namespace {

// Every kind, method and end style; translucent, rotated and hidden items.
TWKFILE MixedDocument(int count, unsigned seed) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<float> pos(0.5f, 15.5f);
  std::uniform_int_distribution<int> byte(0, 255);
  TWKFILE doc;
  for (int i = 0; i < count; ++i) {
    TWKDATA it = test::MakeItem(i % 4, pos(rng), pos(rng), pos(rng), pos(rng),
                                PackRGBA(byte(rng), byte(rng), byte(rng), i % 3 ? 255 : 40 + byte(rng) % 180),
                                0.25f + static_cast<float>(i % 8) * 0.5f);
    it.DrawMethod = static_cast<std::uint8_t>(i % 3);
    it.DrawMethod2 = static_cast<std::uint8_t>((i / 3) % 3);
    it.DrawAngle = static_cast<float>(i * 17 % 360);
    it.Visible = i % 7 == 3 ? 0 : 1;
    it.X2 = it.Type == kEllipse ? 30.0f : pos(rng);
    it.Y2 = it.Type == kEllipse ? 300.0f : pos(rng);
    it.X3 = pos(rng), it.Y3 = pos(rng);
    doc.CData.append(it);
  }
  return doc;
}

// The export's picture of that size laid over the ground.
std::unique_ptr<Image> ExportOverGround(const TWKFILE& doc, int pixels, PreviewGround ground) {
  auto picture = Image::NewFilled(pixels, pixels, GroundColour(ground));
  const float scale = static_cast<float>(pixels) / 16.0f;
  BlendImage(*picture, *RenderDocument(doc, scale, scale, RenderArea::kFull), 0, 0);
  return picture;
}

// Names the first picture that differs from the export's, or "".
std::string FirstWrongPicture(const PreviewComposer& preview, const TWKFILE& doc) {
  for (std::size_t s = 0; s < kPreviewSizes.size(); ++s) {
    for (PreviewGround ground : kPreviewGrounds) {
      const Image* picture = preview.Picture(static_cast<int>(s), ground);
      const auto expected = ExportOverGround(doc, kPreviewSizes[s], ground);
      if (!picture || !test::SamePixels(*picture, *expected))
        return std::to_string(kPreviewSizes[s]) + (ground == PreviewGround::kLight ? " light" : " dark");
    }
  }
  return "";
}

TEST(PreviewComposer, EachPictureIsTheExportOverItsGround) {
  const TWKFILE doc = MixedDocument(40, 3);
  PreviewComposer preview;
  EXPECT_TRUE(preview.Update(doc));
  EXPECT_EQ(FirstWrongPicture(preview, doc), "");
  EXPECT_EQ(preview.Picture(1, PreviewGround::kDark)->width(), 24);
}

struct Step {
  const char* what;
  std::function<void(TWKFILE&)> change;
  bool picturesChange;
  int itemsPainted;  // over all five sizes
};

TEST(PreviewComposer, PicturesFollowEveryChangeAndRepaintOnlyWhatChanged) {
  TWKFILE doc = MixedDocument(120, 5);
  const int sizes = static_cast<int>(kPreviewSizes.size());
  auto front = [](TWKFILE& d) { return d.CData.front(); };
  auto drawn = test::MakeItem(kLine, 3.5f, 3.5f, 3.5f, 3.5f, PackRGBA(200, 30, 90, 150), 1.5f);
  const Step steps[] = {
      {"start drawing", [&](TWKFILE& d) { d.CData.insertFront(drawn); }, true, sizes},
      {"move", [&](TWKFILE& d) { front(d)->X4 = 12.5f; }, true, sizes},
      {"move again", [&](TWKFILE& d) { front(d)->Y4 = 9.5f; }, true, sizes},
      {"becomes a curve", [&](TWKFILE& d) { front(d)->Type = kCurve, front(d)->X2 = 1.5f; }, true, sizes},
      {"wider and dotted", [&](TWKFILE& d) { front(d)->DrawWidth = 2.5f, front(d)->DrawMethod = kDots; }, true, sizes},
      {"document area only", [](TWKFILE& d) { d.TWKW = 9; }, false, 0},
      {"renamed only", [&](TWKFILE& d) { front(d)->Name = "star"; }, false, 0},
      {"cancelled", [&](TWKFILE& d) { d.CData.remove(front(d)); }, true, 0},
      {"hide a middle item", [](TWKFILE& d) { d.CData.at(60)->Visible = 0; }, true, 88 * sizes},
      {"recolour the item just behind a kept copy",
       [](TWKFILE& d) { d.CData.at(d.CData.size() - 32)->DrawRGBA = PackRGBA(0, 0, 255, 255); }, true, 120 * sizes},
      {"move the back item", [](TWKFILE& d) { d.CData.at(d.CData.size() - 1)->X1 += 0.125f; }, true, 120 * sizes},
      {"reorder", [](TWKFILE& d) { d.CData.moveAfter(d.CData.at(2), d.CData.at(90)); }, true, 120 * sizes},
      {"delete from the front", [](TWKFILE& d) { d.CData.remove(d.CData.at(0)); }, true, 0},
      {"delete everything", [](TWKFILE& d) { d.CData.clear(); }, true, 0},
      {"draw on an empty document", [&](TWKFILE& d) { d.CData.insertFront(drawn), front(d)->X4 = 9.5f; }, true, sizes},
      {"a damaged item behind it", [](TWKFILE& d) { d.CData.append(test::MakeItem(kLine, NAN, 1, 2, 3)); }, true,
       2 * sizes},
      {"move with the damaged item behind", [&](TWKFILE& d) { front(d)->Y4 = 12.5f; }, true, sizes},
  };
  PreviewComposer preview;
  preview.Update(doc);
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    step.change(doc);
    const long long before = preview.itemsPainted();
    EXPECT_EQ(preview.Update(doc), step.picturesChange);
    EXPECT_EQ(preview.itemsPainted() - before, step.itemsPainted);
    EXPECT_EQ(FirstWrongPicture(preview, doc), "");
  }
}

TEST(PreviewComposer, InvalidatePaintsEverythingAgain) {
  const TWKFILE doc = MixedDocument(10, 9);
  PreviewComposer preview;
  preview.Update(doc);
  preview.Invalidate();
  EXPECT_EQ(preview.Picture(0, PreviewGround::kLight), nullptr);
  const long long before = preview.itemsPainted();
  EXPECT_TRUE(preview.Update(doc));
  EXPECT_EQ(preview.itemsPainted() - before, 10 * static_cast<long long>(kPreviewSizes.size()));
  EXPECT_EQ(FirstWrongPicture(preview, doc), "");
}

}  // namespace
}  // namespace twk
