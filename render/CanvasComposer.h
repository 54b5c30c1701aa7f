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
  // Whether a layer of the items behind the construction item is kept.
  bool HasCachedLayer() const { return behind_ != nullptr; }

 private:
  // What the cached layer was rendered for; any difference renders it anew.
  struct CacheKey {
    const TWKFILE* doc = nullptr;
    const TWKDATA* front = nullptr;
    int count = 0;
    float twkw = 0, twkh = 0;
    float ppuX = 0, ppuY = 0;
    bool operator==(const CacheKey&) const = default;
  };

  std::unique_ptr<Image> behind_;  // items 1..n while constructing
  CacheKey key_;
};

}  // namespace twk
