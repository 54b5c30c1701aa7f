#include "render/SceneRenderer.h"

#include <algorithm>
#include <cmath>

#include "document/Rounding.h"
#include "render/ItemPainter.h"
#include "render/RasterOps.h"
#include "render/VectorSurface.h"

namespace twk {

namespace {

// A side of the document area: clamped to 1..16 (NaN counts as 1).
float AreaSide(float units, RenderArea area) {
  if (area == RenderArea::kFull) return 16.0f;
  if (!(units >= 1.0f)) return 1.0f;
  return std::min(units, 16.0f);
}

int PixelSide(float units, float pixelsPerUnit) {
  const int pixels = RoundToInt(static_cast<double>(units * pixelsPerUnit));
  return std::max(pixels, 1);
}

}  // namespace

PixelSize RenderImageSize(const TWKFILE& doc, float pixelsPerUnitX, float pixelsPerUnitY, RenderArea area) {
  return {PixelSide(AreaSide(doc.TWKW, area), pixelsPerUnitX), PixelSide(AreaSide(doc.TWKH, area), pixelsPerUnitY)};
}

void PaintItems(Image& layer, const TWKFILE& doc, float pixelsPerUnitX, float pixelsPerUnitY, RenderArea area,
                int first, int last) {
  (void)pixelsPerUnitX;
  (void)pixelsPerUnitY;  // the layer's own size fixes the scale
  first = std::max(first, 0);
  last = std::min(last, doc.CData.size() - 1);
  if (first > last) return;
  VectorSurface surface(layer);
  if (!surface.ok()) return;
  // The W x H units fill the image exactly.
  surface.ScaleBy(surface.width() / static_cast<double>(AreaSide(doc.TWKW, area)),
                  surface.height() / static_cast<double>(AreaSide(doc.TWKH, area)));
  surface.PushState();  // the document space, for recovering from a failed item
  for (int i = last; i >= first; --i) {
    PaintItem(surface, *doc.CData.at(i));
    // cairo's errors are sticky: one failed item must not blank the rest.
    if (!surface.ok()) surface.Recover();
  }
  surface.PopState();
}

std::unique_ptr<Image> RenderDocument(const TWKFILE& doc, float pixelsPerUnitX, float pixelsPerUnitY,
                                      RenderArea area) {
  const PixelSize size = RenderImageSize(doc, pixelsPerUnitX, pixelsPerUnitY, area);
  auto image = Image::NewTransparent(size.width, size.height);
  if (!image) return nullptr;
  PaintItems(*image, doc, pixelsPerUnitX, pixelsPerUnitY, area, 0, doc.CData.size() - 1);
  return image;
}

std::unique_ptr<Image> ComposeOverGrid(const Image& grid, const Image* layer) {
  auto canvas = grid.Clone();
  if (canvas && layer) BlendImage(*canvas, *layer, 0, 0);
  return canvas;
}

std::unique_ptr<Image> ComposeCanvas(const Image& grid, const TWKFILE& doc, float pixelsPerUnitX,
                                     float pixelsPerUnitY) {
  auto canvas = grid.Clone();
  if (!canvas) return nullptr;
  auto layer = RenderDocument(doc, pixelsPerUnitX, pixelsPerUnitY, RenderArea::kDocument);
  if (layer) BlendImage(*canvas, *layer, 0, 0);
  return canvas;
}

}  // namespace twk
