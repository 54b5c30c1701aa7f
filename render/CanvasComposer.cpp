#include "render/CanvasComposer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include <cairo.h>

#include "render/FigureReach.h"
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

bool CanvasComposer::ChangedRows(const TWKFILE& doc, int& firstRow, int& endRow) const {
  // Antialiasing reaches a pixel beyond the painted box.
  constexpr double kMargin = 2;
  const double height = front_->height();
  double top = height, bottom = 0;
  for (int k = 0; k < first_; ++k) {
    const TWKDATA& now = *doc.CData.at(k);
    const TWKDATA& was = paintedFront_[static_cast<std::size_t>(k)];
    if (now == was) continue;
    Box before, after;
    if (!PaintedBox(was, before) || !PaintedBox(now, after)) return false;
    const double t = std::min(before.top, after.top) * scale_.ppuY, b = std::max(before.bottom, after.bottom) * scale_.ppuY;
    if (!std::isfinite(t) || !std::isfinite(b)) return false;
    top = std::min(top, std::clamp(std::floor(t) - kMargin, 0.0, height));
    bottom = std::max(bottom, std::clamp(std::ceil(b) + kMargin, 0.0, height));
  }
  firstRow = static_cast<int>(top);
  endRow = std::max(firstRow, static_cast<int>(bottom));
  return true;
}

void CanvasComposer::PaintFront(const TWKFILE& doc, float pixelsPerUnitX, float pixelsPerUnitY) {
  int top = 0, bottom = 0;
  if (front_ && paintedFront_.size() == static_cast<std::size_t>(first_) && ChangedRows(doc, top, bottom)) {
    if (top < bottom) {
      // Those rows start again from the layer behind.
      cairo_surface_flush(behind_->surface());
      cairo_surface_flush(front_->surface());
      const std::size_t stride = static_cast<std::size_t>(front_->stride());
      std::memcpy(front_->data() + stride * static_cast<std::size_t>(top),
                  behind_->data() + stride * static_cast<std::size_t>(top), stride * static_cast<std::size_t>(bottom - top));
      front_->MarkDirty();
      PaintItemRows(*front_, doc, pixelsPerUnitX, pixelsPerUnitY, RenderArea::kDocument, 0, first_ - 1, top, bottom);
      for (int k = 0; k < first_; ++k) paintedFront_[static_cast<std::size_t>(k)] = *doc.CData.at(k);
    }
    return;
  }
  front_ = behind_->Clone();
  paintedFront_.clear();
  if (!front_) return;
  PaintItems(*front_, doc, pixelsPerUnitX, pixelsPerUnitY, RenderArea::kDocument, 0, first_ - 1);
  paintedFront_.reserve(static_cast<std::size_t>(first_));
  for (int k = 0; k < first_; ++k) paintedFront_.push_back(*doc.CData.at(k));
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
    PaintFront(doc, pixelsPerUnitX, pixelsPerUnitY);
    if (!front_) return ComposeCanvas(grid, doc, pixelsPerUnitX, pixelsPerUnitY);
    return ComposeOverGrid(grid, front_.get());
  } catch (...) {
    Invalidate();  // out of memory
    return ComposeCanvas(grid, doc, pixelsPerUnitX, pixelsPerUnitY);
  }
}

void CanvasComposer::Invalidate() {
  behind_.reset();
  painted_.clear();
  front_.reset();
  paintedFront_.clear();
  first_ = 0;
  scale_ = Scale{};
}

}  // namespace twk
