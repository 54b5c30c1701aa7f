#pragma once
// Builds the canvas picture. Items are painted from the back (the last of
// CData) to the front. Key commands and their undo act on the selected
// items, so the composer keeps the unselected ones (see LayerPlan: the
// items behind the selection as one transparent layer, and runs of items in
// front of and between selected ones as each item's own picture, see
// ItemCrops) and keeps the picture it made from them. On the next picture
// the rectangle of pixels that the changed items reach, before and after the
// change, is built again: from the layer behind, with each selected run painted in
// turn and the items of each run in front blended over.
// While an item is drawn it is the front item and the only one painted.
//
// Painting the deepest selected items onto the layer behind gives exactly
// the pixels of a full redraw; an item's own picture blended over rounds
// as painting it there does but for cairo's own paths, so the canvas may
// differ from a full redraw by 1 in any channel. While an item is drawn
// nothing is in front of it, and the pixels are exact.
//
// A layer is used only while its items are equal, field for field, to what
// was painted, at the same document size and scale: a change to an
// unselected item, a reorder, a resize or a load paints the layers it
// reaches again, whoever made the change.
//
// A paint given up half way (see PaintCancel) drops the layers and the
// picture it was making; the items' own pictures finished are kept.

#include <memory>
#include <vector>

#include "document/Document.h"
#include "document/EditorState.h"
#include "render/Image.h"
#include "render/ItemCrops.h"
#include "render/ItemLayer.h"
#include "render/LayerPlan.h"
#include "render/PaintBudget.h"
#include "tasks/PaintCancel.h"

namespace twk {

class CanvasComposer {
 public:
  // The picture for `doc` over `grid` at the given pixels per unit, with
  // the items of `selected` (runs of indices of CData) selected. With none
  // selected a key acts on every item, and the full redraw is drawn.
  // nullptr once `cancel` is requested (or the picture cannot be made).
  std::unique_ptr<Image> Compose(const Image& grid, const TWKFILE& doc, const EditorState& state,
                                 float pixelsPerUnitX, float pixelsPerUnitY, const std::vector<IndexRun>& selected = {},
                                 const PaintCancel* cancel = nullptr);
  // Builds and keeps the layers Compose would use for `selected`, without
  // the picture over the grid, and nothing when none would be kept.
  void KeepLayersFor(const TWKFILE& doc, const EditorState& state, float pixelsPerUnitX, float pixelsPerUnitY,
                     const std::vector<IndexRun>& selected, const PaintCancel* cancel = nullptr);
  // Takes from `budget` the guessed time of the items Compose (or, with
  // `layersOnly`, KeepLayersFor) would paint now, without painting; false
  // once it is spent. Kept layers and items' own pictures that still hold
  // cost nothing.
  bool Fits(const TWKFILE& doc, const EditorState& state, float pixelsPerUnitX, float pixelsPerUnitY,
            const std::vector<IndexRun>& selected, PaintBudget& budget, bool layersOnly = false) const;
  // Drops the kept layers (frees their memory; they are never needed for
  // correctness, as every Compose checks their items).
  void Invalidate();
  // Whether any layer of items is kept.
  bool HasCachedLayer() const { return !plan_.empty(); }
  // Layers painted since construction (a reused layer is not counted).
  long long LayersPainted() const { return layersPainted_; }

 private:
  // What the kept layers were painted from.
  struct Scale {
    float twkw = 0, twkh = 0, ppuX = 0, ppuY = 0;
    bool operator==(const Scale&) const = default;
  };
  // Brings the layers of `plan` up to date, reusing those that still hold;
  // true when the whole picture must be built again.
  bool Prepare(const TWKFILE& doc, const std::vector<PlanPart>& plan, const Scale& scale);
  // Brings the layers and the picture without the grid up to date for
  // `selected`; false when no layer is kept (then the full redraw is due).
  bool Update(const TWKFILE& doc, const EditorState& state, float pixelsPerUnitX, float pixelsPerUnitY,
              const std::vector<IndexRun>& selected);
  // The parts Update would plan for `selected`.
  static std::vector<PlanPart> PlanFor(const TWKFILE& doc, const EditorState& state,
                                       const std::vector<IndexRun>& selected);
  // Builds the pixels `area` of the picture from the layers and the painted
  // parts; `whole` when that is the whole picture.
  void Build(const TWKFILE& doc, PixelArea area, bool whole);
  // Paints the items of `part` over the picture in `area`.
  void PaintPart(const TWKFILE& doc, const PlanPart& part, PixelArea area, bool whole);
  // Drops the layers and the picture, keeping the items' own pictures.
  void DropLayers();

  Scale scale_;
  std::vector<PlanPart> plan_;
  std::vector<std::unique_ptr<ItemLayer>> layers_;  // one per part of plan_, null where painted
  std::unique_ptr<Image> picture_;                   // the document area, without the grid
  std::unique_ptr<Image> scratch_;                   // where a part is painted in whole rows
  std::vector<int> paintedIndices_;                  // the items painted into picture_ directly
  std::vector<TWKDATA> paintedItems_;                // those items as painted
  ItemCrops crops_;  // the items in front of the selection, each on its own
  Scale cropScale_;  // what crops_ were painted at
  long long layersPainted_ = 0;
  const PaintCancel* cancel_ = nullptr;  // of the Compose or KeepLayersFor running
};

}  // namespace twk
