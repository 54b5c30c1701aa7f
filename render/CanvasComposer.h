#pragma once
// Builds the canvas picture. Items are painted from the back (the last of
// CData) to the front, so the picture of the items behind a given one stays
// as it is while only that one and those in front of it change. The
// composer keeps that layer of the items behind the deepest item that can
// change (the item under construction, or the deepest selected item, on
// which key commands and their undo act) and paints only the items in front
// of it over a copy; the pixels equal a full redraw.
//
// The layer is used only while every item behind is equal, field for field,
// to what was painted, at the same document size and scale: a change to an
// item behind, a reorder, a resize or a load repaints it, whoever made the
// change.
//
// Over that layer it keeps the last picture of the items in front as well.
// When only some of those changed (a key on the selection, its undo), only
// the rows their old and new painted boxes reach are painted again: those
// rows start from the layer behind and get every item in front, as a full
// redraw would paint them (a band of rows gets exactly a whole picture's
// pixels); the other rows keep theirs.

#include <memory>
#include <vector>

#include "document/Document.h"
#include "document/EditorState.h"
#include "render/Image.h"

namespace twk {

class CanvasComposer {
 public:
  // The picture for `doc` over `grid` at the given pixels per unit.
  // `deepestSelected` is the highest index of CData that is selected, -1
  // for none (a key then acts on every item, and the full redraw is drawn).
  std::unique_ptr<Image> Compose(const Image& grid, const TWKFILE& doc, const EditorState& state,
                                 float pixelsPerUnitX, float pixelsPerUnitY, int deepestSelected = -1);
  // Drops the kept layer (frees its memory; it is never needed for
  // correctness, as every Compose checks the items behind).
  void Invalidate();
  // Whether a layer of the items behind is kept.
  bool HasCachedLayer() const { return behind_ != nullptr; }
  // Layers painted since construction (a reused layer is not counted).
  long long LayersPainted() const { return layersPainted_; }

 private:
  // What the kept layer was painted from.
  struct Scale {
    float twkw = 0, twkh = 0, ppuX = 0, ppuY = 0;
    bool operator==(const Scale&) const = default;
  };
  bool LayerHolds(const TWKFILE& doc, int first, const Scale& scale) const;
  // The rows [firstRow, endRow) of the front picture that the items in
  // front which changed since it was painted reach, before and after; false
  // when that cannot be told (then the whole front is painted again). An
  // empty range when nothing changed.
  bool ChangedRows(const TWKFILE& doc, int& firstRow, int& endRow) const;
  // Paints the items in front of the layer over a copy of it.
  void PaintFront(const TWKFILE& doc, float pixelsPerUnitX, float pixelsPerUnitY);

  std::unique_ptr<Image> behind_;  // items first_..n-1
  int first_ = 0;
  std::vector<TWKDATA> painted_;   // those items as painted
  std::unique_ptr<Image> front_;   // the layer with items 0..first_-1 painted over it
  std::vector<TWKDATA> paintedFront_;  // those items as painted
  Scale scale_;
  long long layersPainted_ = 0;
};

}  // namespace twk
