#include "render/SceneRenderer.h"

#include <algorithm>
#include <cmath>
#include <new>

#include <cairo.h>

#include "document/Rounding.h"
#include "render/BandPainter.h"
#include "render/RasterOps.h"

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

namespace {

// The W x H units that cover the pixels RenderDocument's image would have at
// this scale, whatever the layer's own size; on a layer of exactly that size
// this is RenderDocument's scale to the last bit.
struct LayerUnits {
  double wide, high;
};
LayerUnits UnitsOnLayer(const Image& layer, const TWKFILE& doc, float pixelsPerUnitX, float pixelsPerUnitY,
                        RenderArea area) {
  const PixelSize pixels = RenderImageSize(doc, pixelsPerUnitX, pixelsPerUnitY, area);
  return {static_cast<double>(AreaSide(doc.TWKW, area)) * layer.width() / pixels.width,
          static_cast<double>(AreaSide(doc.TWKH, area)) * layer.height() / pixels.height};
}

}  // namespace

void PaintItems(Image& layer, const TWKFILE& doc, float pixelsPerUnitX, float pixelsPerUnitY, RenderArea area,
                int first, int last, const PaintCancel* cancel) {
  first = std::max(first, 0);
  last = std::min(last, doc.CData.size() - 1);
  if (first > last) return;
  const LayerUnits units = UnitsOnLayer(layer, doc, pixelsPerUnitX, pixelsPerUnitY, area);
  try {
    PaintItemsInBands(layer, doc, units.wide, units.high, first, last, {}, cancel);
  } catch (const std::bad_alloc&) {
    layer.MarkDirty();  // out of memory: the layer keeps what was painted
  }
}

void PaintItemRows(Image& layer, const TWKFILE& doc, float pixelsPerUnitX, float pixelsPerUnitY, RenderArea area,
                   int first, int last, int top, int bottom, const PaintCancel* cancel) {
  first = std::max(first, 0);
  last = std::min(last, doc.CData.size() - 1);
  top = std::max(top, 0);
  bottom = std::min(bottom, layer.height());
  if (first > last || top >= bottom) return;
  const LayerUnits units = UnitsOnLayer(layer, doc, pixelsPerUnitX, pixelsPerUnitY, area);
  try {
    PaintItemsInRows(layer, doc, units.wide, units.high, first, last, top, bottom, cancel);
  } catch (const std::bad_alloc&) {
    // out of memory: the layer keeps what was painted
  }
  layer.MarkDirty();
}

std::unique_ptr<Image> RenderDocument(const TWKFILE& doc, float pixelsPerUnitX, float pixelsPerUnitY,
                                      RenderArea area) {
  try {
    const PixelSize size = RenderImageSize(doc, pixelsPerUnitX, pixelsPerUnitY, area);
    auto image = Image::NewTransparent(size.width, size.height);
    if (!image || doc.CData.size() == 0) return image;
    PaintItemsInBands(*image, doc, AreaSide(doc.TWKW, area), AreaSide(doc.TWKH, area), 0, doc.CData.size() - 1);
    return image;
  } catch (const std::bad_alloc&) {
    return nullptr;  // a picture with items missing is no picture of the document
  }
}

Image* RenderDocumentInto(KeptImage& kept, const TWKFILE& doc, float pixelsPerUnitX, float pixelsPerUnitY,
                          RenderArea area) {
  const PixelSize size = RenderImageSize(doc, pixelsPerUnitX, pixelsPerUnitY, area);
  Image* image = kept.Transparent(size.width, size.height);
  if (!image || doc.CData.size() == 0) return image;
  try {
    PaintItemsInRows(*image, doc, AreaSide(doc.TWKW, area), AreaSide(doc.TWKH, area), 0, doc.CData.size() - 1, 0,
                     size.height);
    image->MarkDirty();
    return image;
  } catch (const std::bad_alloc&) {
    return nullptr;  // as RenderDocument: a picture with items missing is none
  }
}

std::unique_ptr<Image> ComposeOverGrid(const Image& grid, const Image* layer) try {
  auto canvas = grid.Clone();
  if (canvas && layer) BlendImage(*canvas, *layer, 0, 0);
  return canvas;
} catch (const std::bad_alloc&) {
  return nullptr;
}

std::unique_ptr<Image> ComposeCanvas(const Image& grid, const TWKFILE& doc, float pixelsPerUnitX,
                                     float pixelsPerUnitY, const PaintCancel* cancel) try {
  const PixelSize size = RenderImageSize(doc, pixelsPerUnitX, pixelsPerUnitY, RenderArea::kDocument);
  auto layer = Image::NewTransparent(size.width, size.height);
  if (!layer) return grid.Clone();  // the grid alone
  auto canvas = Image::NewTransparent(grid.width(), grid.height());
  if (!canvas) return nullptr;
  cairo_surface_flush(grid.surface());
  // Each band is laid over its rows of the grid as soon as it is painted;
  // grid rows below the rendered area are copied as they are.
  PaintItemsInBands(*layer, doc, AreaSide(doc.TWKW, RenderArea::kDocument), AreaSide(doc.TWKH, RenderArea::kDocument),
                    0, doc.CData.size() - 1,
                    [&](int top, int bottom) { ComposeRows(*canvas, grid, *layer, top, bottom); }, cancel);
  if (GivenUp(cancel)) return nullptr;
  ComposeRows(*canvas, grid, *layer, layer->height(), grid.height());
  canvas->MarkDirty();
  return canvas;
} catch (const std::bad_alloc&) {
  return nullptr;  // out of memory: the canvas keeps its last picture
}

}  // namespace twk
