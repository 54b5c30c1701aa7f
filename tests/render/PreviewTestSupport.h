#pragma once
// Documents and picture checks shared by the preview tests.

#include <memory>
#include <random>
#include <string>

#include "render/preview/PreviewComposer.h"
#include "render/RasterOps.h"
#include "render/SceneRenderer.h"
#include "tests/render/RenderTestSupport.h"

namespace twk::test {

// Every kind, method and end style; translucent, rotated and hidden items.
inline TWKFILE MixedDocument(int count, unsigned seed) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<float> pos(0.5f, 15.5f);
  std::uniform_int_distribution<int> byte(0, 255);
  TWKFILE doc;
  for (int i = 0; i < count; ++i) {
    TWKDATA it = MakeItem(i % 4, pos(rng), pos(rng), pos(rng), pos(rng),
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
inline std::unique_ptr<Image> ExportOverGround(const TWKFILE& doc, int pixels, PreviewGround ground) {
  auto picture = Image::NewFilled(pixels, pixels, GroundColour(ground));
  const float scale = static_cast<float>(pixels) / 16.0f;
  BlendImage(*picture, *RenderDocument(doc, scale, scale, RenderArea::kFull), 0, 0);
  return picture;
}

// Names the first picture that differs from the export's, or "". `preview`
// is a PreviewComposer or a PreviewPictures.
template <typename Pictures>
std::string FirstWrongPicture(const Pictures& preview, const TWKFILE& doc) {
  for (std::size_t s = 0; s < kPreviewSizes.size(); ++s) {
    for (PreviewGround ground : kPreviewGrounds) {
      const Image* picture = preview.Picture(static_cast<int>(s), ground);
      const auto expected = ExportOverGround(doc, kPreviewSizes[s], ground);
      if (!picture || !SamePixels(*picture, *expected))
        return std::to_string(kPreviewSizes[s]) + (ground == PreviewGround::kLight ? " light" : " dark");
    }
  }
  return "";
}

}  // namespace twk::test
