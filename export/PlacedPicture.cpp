#include "export/PlacedPicture.h"

#include "fit/FitToPixels.h"
#include "render/LuminanceGrey.h"
#include "render/PngWriter.h"
#include "render/RasterOps.h"
#include "render/SceneRenderer.h"

namespace twk {

std::unique_ptr<Image> PlacedImage(const TWKFILE& doc, const Placement& placement, EdgeFit fit) {
  const int span = placement.span;
  const float scale = ScaleOfEdge(span);
  const std::unique_ptr<Image> drawing =
      fit == EdgeFit::kToPixels ? RenderDocument(FitToPixels(doc, span), scale, scale, RenderArea::kFull)
                                : RenderDocument(doc, scale, scale, RenderArea::kFull);
  if (!drawing) return nullptr;
  std::unique_ptr<Image> image = placement.opaque
                                     ? Image::NewFilled(placement.edge, placement.edge, placement.ground)
                                     : Image::NewTransparent(placement.edge, placement.edge);
  if (!image) return nullptr;
  const int offset = (placement.edge - span) / 2;
  BlendImage(*image, *drawing, offset, offset);
  if (placement.look == SetLook::kGrey) MakeLuminanceGrey(*image);
  return image;
}

std::vector<std::uint8_t> PlacedPng(const TWKFILE& doc, const Placement& placement, EdgeFit fit) {
  std::vector<std::uint8_t> png;
  const std::unique_ptr<Image> image = PlacedImage(doc, placement, fit);
  if (!image || !EncodePngInPlace(*image, png)) png.clear();
  return png;
}

}  // namespace twk
