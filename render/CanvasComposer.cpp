#include "render/CanvasComposer.h"

#include "render/SceneRenderer.h"

namespace twk {

std::unique_ptr<Image> CanvasComposer::Compose(const Image& grid, const TWKFILE& doc,
                                               const EditorState& state, float pixelsPerUnitX,
                                               float pixelsPerUnitY) {
  const bool building = state.Constructing && state.ConstructionItem != nullptr &&
                        state.ConstructionItem == doc.CData.front();
  if (!building) {
    Invalidate();
    return ComposeCanvas(grid, doc, pixelsPerUnitX, pixelsPerUnitY);
  }

  const CacheKey key{&doc, doc.CData.front(), doc.CData.size(), doc.TWKW, doc.TWKH,
                     pixelsPerUnitX, pixelsPerUnitY};
  if (!behind_ || !(key == key_)) {
    Invalidate();
    const PixelSize size = RenderImageSize(doc, pixelsPerUnitX, pixelsPerUnitY, RenderArea::kDocument);
    behind_ = Image::NewTransparent(size.width, size.height);
    if (!behind_) return ComposeCanvas(grid, doc, pixelsPerUnitX, pixelsPerUnitY);
    if (doc.CData.size() > 1) {
      PaintItems(*behind_, doc, pixelsPerUnitX, pixelsPerUnitY, RenderArea::kDocument, 1,
                 doc.CData.size() - 1);
    }
    key_ = key;
  }

  std::unique_ptr<Image> layer = behind_->Clone();
  if (!layer) return ComposeCanvas(grid, doc, pixelsPerUnitX, pixelsPerUnitY);
  PaintItems(*layer, doc, pixelsPerUnitX, pixelsPerUnitY, RenderArea::kDocument, 0, 0);
  return ComposeOverGrid(grid, layer.get());
}

void CanvasComposer::Invalidate() {
  behind_.reset();
  key_ = CacheKey{};
}

}  // namespace twk
