#include "render/ItemLayer.h"

#include "render/SceneRenderer.h"

namespace twk {

std::vector<TWKDATA> CopyItems(const TWKFILE& doc, int first, int last) {
  std::vector<TWKDATA> items;
  items.reserve(static_cast<std::size_t>(std::max(last - first + 1, 0)));
  for (int i = first; i <= last; ++i) items.push_back(*doc.CData.at(i));
  return items;
}

std::unique_ptr<ItemLayer> ItemLayer::Paint(const TWKFILE& doc, int first, int last, float pixelsPerUnitX,
                                            float pixelsPerUnitY, const PaintCancel* cancel) {
  const PixelSize size = RenderImageSize(doc, pixelsPerUnitX, pixelsPerUnitY, RenderArea::kDocument);
  auto image = Image::NewTransparent(size.width, size.height);
  if (!image) return nullptr;
  PaintItems(*image, doc, pixelsPerUnitX, pixelsPerUnitY, RenderArea::kDocument, first, last, cancel);
  std::unique_ptr<ItemLayer> layer(new ItemLayer(first, std::move(image)));
  layer->painted_ = CopyItems(doc, first, last);
  return layer;
}

std::unique_ptr<ItemLayer> ItemLayer::Record(const TWKFILE& doc, int first, int last) {
  std::unique_ptr<ItemLayer> layer(new ItemLayer(first, nullptr));
  layer->painted_ = CopyItems(doc, first, last);
  return layer;
}

bool ItemLayer::Holds(const TWKFILE& doc, int first, int last) const {
  if (first != first_ || last - first + 1 != static_cast<int>(painted_.size()) || last >= doc.CData.size()) {
    return false;
  }
  for (std::size_t k = 0; k < painted_.size(); ++k) {
    if (!(*doc.CData.at(first + static_cast<int>(k)) == painted_[k])) return false;
  }
  return true;
}

}  // namespace twk
