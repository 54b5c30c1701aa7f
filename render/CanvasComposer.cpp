#include "render/CanvasComposer.h"

#include "render/SceneRenderer.h"

namespace twk {

bool CanvasComposer::LayerHolds(const TWKFILE& doc, int first, const Scale& scale) const {
  if (!behind_ || first != first_ || !(scale == scale_)) return false;
  if (painted_.size() != static_cast<std::size_t>(doc.CData.size() - first)) return false;
  for (std::size_t k = 0; k < painted_.size(); ++k) {
    if (!(*doc.CData.at(first + static_cast<int>(k)) == painted_[k])) return false;
  }
  return true;
}

std::unique_ptr<Image> CanvasComposer::Compose(const Image& grid, const TWKFILE& doc,
                                               const EditorState& state, float pixelsPerUnitX,
                                               float pixelsPerUnitY, int deepestSelected) {
  const int count = doc.CData.size();
  const bool building = state.Constructing && state.ConstructionItem != nullptr && count > 0 &&
                        state.ConstructionItem == doc.CData.front();
  // The items from `first` to the back stay; those before it are painted.
  const int first = building ? 1 : deepestSelected + 1;
  if ((!building && deepestSelected < 0) || first >= count) {
    Invalidate();
    return ComposeCanvas(grid, doc, pixelsPerUnitX, pixelsPerUnitY);
  }

  const Scale scale{doc.TWKW, doc.TWKH, pixelsPerUnitX, pixelsPerUnitY};
  try {
    if (!LayerHolds(doc, first, scale)) {
      Invalidate();
      const PixelSize size = RenderImageSize(doc, pixelsPerUnitX, pixelsPerUnitY, RenderArea::kDocument);
      auto layer = Image::NewTransparent(size.width, size.height);
      if (!layer) return ComposeCanvas(grid, doc, pixelsPerUnitX, pixelsPerUnitY);
      PaintItems(*layer, doc, pixelsPerUnitX, pixelsPerUnitY, RenderArea::kDocument, first, count - 1);
      std::vector<TWKDATA> painted;
      painted.reserve(static_cast<std::size_t>(count - first));
      for (int i = first; i < count; ++i) painted.push_back(*doc.CData.at(i));
      behind_ = std::move(layer);
      painted_ = std::move(painted);
      first_ = first;
      scale_ = scale;
      ++layersPainted_;
    }
    std::unique_ptr<Image> picture = behind_->Clone();
    if (!picture) return ComposeCanvas(grid, doc, pixelsPerUnitX, pixelsPerUnitY);
    PaintItems(*picture, doc, pixelsPerUnitX, pixelsPerUnitY, RenderArea::kDocument, 0, first - 1);
    return ComposeOverGrid(grid, picture.get());
  } catch (...) {
    Invalidate();  // out of memory
    return ComposeCanvas(grid, doc, pixelsPerUnitX, pixelsPerUnitY);
  }
}

void CanvasComposer::Invalidate() {
  behind_.reset();
  painted_.clear();
  first_ = 0;
  scale_ = Scale{};
}

}  // namespace twk
