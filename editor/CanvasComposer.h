#pragma once
// Builds the canvas picture. While an item is under construction only that
// item (the front item) changes, so the composer keeps the rendered layer of
// all other items from the moment construction began and paints just the
// front item over a copy of it; the pixels equal a full redraw.

#include <memory>

#include "document/Document.h"
#include "document/EditorState.h"
#include "render/Image.h"

namespace twk {

class CanvasComposer {
 public:
  // The picture for `doc` over `grid` at the given pixels per unit.
  std::unique_ptr<Image> Compose(const Image& grid, const TWKFILE& doc, const EditorState& state,
                                 float pixelsPerUnitX, float pixelsPerUnitY);
  // Drops the cached layer (call when anything but the construction item
  // may have changed outside Compose's knowledge).
  void Invalidate();

 private:
  std::unique_ptr<Image> behind_;  // items 1..n while constructing
  const TWKDATA* cachedFor_ = nullptr;
};

}  // namespace twk
