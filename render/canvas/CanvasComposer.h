#pragma once
// Builds the canvas picture. Items are painted from the back (the last of
// CData) to the front. Key commands and their undo act on the selected
// items, so the composer keeps what does not change under them and paints
// again only the pixels a change reaches.
//
// The parts of a picture (CanvasPlan): the items behind the selection are
// one kept transparent picture (kBehind); runs of unselected items in front
// of and between selected ones are blended from each item's own kept picture
// (kKeptPictures, see ItemPictures); the selection and the short runs among
// it are painted again for every picture (kRepainted). While an item is
// drawn it is the front item and the only one painted.
//
// Invariants (asserted in debug builds):
// 1. An item state is told by its Revision alone: equal revisions mean equal
//    fields (document/Item.h: whoever changes a field calls Touch; a copy
//    keeps its source's revision). No kept picture compares fields.
// 2. Everything kept was painted at `scale_`, the one scale: the document's
//    size and the pixels per unit. Another scale drops all of it.
// 3. A kept part is used only while its items have the revisions it was
//    made from, at the same places; a change to an unselected item, a
//    reorder, a resize or a load makes again the parts it reaches, whoever
//    made the change.
// 4. The picture behind exists exactly when the plan's first part is
//    kBehind, and no other part is.
// 5. `built_.picture` shows every item of the document as `built_.shows`
//    tells (their revisions, in order), within 1 of their full redraw;
//    while parts are kept it is the plan's parts composed, with the
//    kRepainted items as `built_.paintedItems` were. Outside the rectangle
//    a change reaches, before and after, it stays as it was.
// 6. Item pictures are keyed by revision, never by place in the list, and
//    held under a budget of bytes that does not grow with the scale.
// 7. A new plan whose items behind are exactly those the last picture shows
//    takes that picture as its picture behind. Compose, for a plan other
//    than the kept one (a change of selection, a clone, a delete) or for no
//    plan, starts from the last picture where the items that only one of
//    them shows reach less than all of it (the others keep their order):
//    it paints every item in whole rows there, which gives exactly the
//    full redraw's pixels, and keeps no parts until KeepPartsFor.
//
// Pixels: painting the deepest selected items onto the picture behind gives
// exactly the pixels of a full redraw; an item's own picture blended over
// rounds as painting it there does but for cairo's own paths, so the canvas
// may differ from a full redraw by 1 in any channel. While an item is drawn
// nothing is in front of it, and the pixels are exact.
//
// A paint given up half way (see PaintCancel) drops the parts and the
// picture it was making; the items' own pictures finished are kept.

#include <memory>
#include <vector>

#include "document/Document.h"
#include "document/EditorState.h"
#include "render/ChangedArea.h"
#include "render/Image.h"
#include "render/PaintBudget.h"
#include "tasks/PaintCancel.h"
#include "render/canvas/AreaRepaint.h"
#include "render/canvas/CanvasPlan.h"
#include "render/canvas/ItemPictures.h"
#include "render/canvas/MovedPictures.h"
#include "render/canvas/PictureItems.h"
#include "render/canvas/ShownItems.h"

namespace twk {

class CanvasComposer {
 public:
  // The picture for `doc` over `grid` at the given pixels per unit, with
  // the items of `selected` (runs of indices of CData) selected. With none
  // selected a key acts on every item: the picture is the last one with the
  // pixels the changed items reach painted again, the last one moved when
  // every item moved alike, or the full redraw.
  // nullptr once `cancel` is requested (or the picture cannot be made).
  std::unique_ptr<Image> Compose(const Image& grid, const TWKFILE& doc, const EditorState& state,
                                 float pixelsPerUnitX, float pixelsPerUnitY, const std::vector<IndexRun>& selected = {},
                                 const PaintCancel* cancel = nullptr);
  // The pixels of the grid where the picture the last Compose returned may
  // differ from the one it returned before: the whole grid after a full
  // redraw, a first picture, or anything dropped in between.
  PixelArea lastChanged() const { return lastChanged_; }
  // Builds and keeps the parts Compose would use for `selected`, without
  // the picture over the grid, and nothing when none would be kept.
  void KeepPartsFor(const TWKFILE& doc, const EditorState& state, float pixelsPerUnitX, float pixelsPerUnitY,
                     const std::vector<IndexRun>& selected, const PaintCancel* cancel = nullptr);
  // Takes from `budget` the guessed time of the items Compose (or, with
  // `partsOnly`, KeepPartsFor) would paint now, without painting; false
  // once it is spent. Kept parts and items' own pictures that still hold
  // cost nothing.
  bool Fits(const TWKFILE& doc, const EditorState& state, float pixelsPerUnitX, float pixelsPerUnitY,
            const std::vector<IndexRun>& selected, PaintBudget& budget, bool partsOnly = false) const;
  // Drops everything kept (frees its memory; none of it is needed for
  // correctness, as every Compose checks the revisions).
  void Invalidate();
  // Whether any part of the plan is kept.
  bool KeepsParts() const { return !kept_.plan.empty(); }
  // Kept parts made since construction (a reused part, or the last picture
  // taken as the picture behind, is not counted).
  long long PartsMade() const { return partsMade_; }
  // Items' own pictures painted since construction.
  long long ItemPicturesPainted() const { return pictures_.picturesPainted(); }
  // Pictures made by moving the last one, every item having moved alike.
  long long PicturesMoved() const { return moved_.picturesMoved(); }

 private:
  // What everything kept was painted at.
  struct Scale {
    float twkw = 0, twkh = 0, ppuX = 0, ppuY = 0;
    bool operator==(const Scale&) const = default;
  };
  // The plan the picture is built from and the item states its kept parts
  // show (one record per part; empty for kRepainted).
  struct KeptParts {
    std::vector<PlanPart> plan;
    std::vector<ShownItems> shown;
    std::unique_ptr<Image> behind;  // the picture of the kBehind part, when the plan has one
  };
  // The picture of the document area, without the grid, and what it holds.
  struct BuiltPicture {
    std::unique_ptr<Image> picture;
    std::unique_ptr<Image> scratch;    // where a part is painted in whole rows
    std::vector<int> paintedIndices;   // the kRepainted items
    std::vector<TWKDATA> paintedItems;  // those items as painted
    PictureItems shows;                 // every item `picture` shows
    AreaScratch bands;                  // where Repaint paints in whole rows
  };
  // The pixels changed since the last picture Compose returned.
  struct Change {
    bool everything = true;
    PixelArea area;
  };

  // Brings the parts of `plan` up to date, reusing those that still hold;
  // true when the whole picture must be built again.
  bool Prepare(const TWKFILE& doc, const std::vector<PlanPart>& plan);
  // Brings the parts and the picture without the grid up to date for
  // `selected`; false when nothing is kept (then the full redraw is due).
  // Only `composing` may start from the last picture instead of the parts.
  bool Update(const TWKFILE& doc, const EditorState& state, float pixelsPerUnitX, float pixelsPerUnitY,
              const std::vector<IndexRun>& selected, bool composing);
  // The pixels of the last picture that a picture of `doc` must paint
  // again; false when it cannot start from the last picture.
  bool Reaches(const TWKFILE& doc, PixelArea& area) const;
  // Whether Compose starts the picture for `plan` from the last picture,
  // painting `area` again (see invariant 7).
  bool StartsFromPicture(const TWKFILE& doc, const std::vector<PlanPart>& plan, PixelArea& area) const;
  // The runs of items building `plan` paints now (but for the kRepainted
  // ones when `partsOnly`); kept parts and item pictures that still hold
  // at `sameScale` cost nothing.
  std::vector<IndexRun> ToPaint(const TWKFILE& doc, const std::vector<PlanPart>& plan, bool partsOnly,
                                bool sameScale) const;
  // The guessed time of painting the items `runs` at the kept scale, times
  // `share`.
  double GuessNs(const TWKFILE& doc, const std::vector<IndexRun>& runs, double share) const;
  // The part of the last picture's rows that `area` covers.
  double RowShare(PixelArea area) const;
  // Every item painted again in `area` of the last picture (the whole of
  // it when `whole`), dropping the kept parts.
  void Repaint(const TWKFILE& doc, PixelArea area, bool whole);
  // The parts Update would plan for `selected`.
  static std::vector<PlanPart> PlanFor(const TWKFILE& doc, const EditorState& state,
                                       const std::vector<IndexRun>& selected);
  // Builds the pixels `area` of the picture from the parts; `whole` when
  // that is the whole picture.
  void Build(const TWKFILE& doc, PixelArea area, bool whole);
  // Paints the items of `part` over the picture in `area`.
  void PaintPart(const TWKFILE& doc, const PlanPart& part, PixelArea area, bool whole);
  // Adds `area` of the picture to what changed.
  void NoteChanged(PixelArea area);
  // Drops the parts and the picture, keeping the items' own pictures.
  void DropParts();
  // Drops the parts only: the picture stays, as the last whole picture.
  void DropKeptParts();
  // The debug checks of the invariants above.
  void CheckInvariants() const;

  Scale scale_;
  KeptParts kept_;
  BuiltPicture built_;
  ItemPictures pictures_;
  MovedPictures moved_;  // the pictures while nothing is selected and every item moves
  Change change_;
  PixelArea lastChanged_;
  int gridWidth_ = 0, gridHeight_ = 0;  // of the last picture returned
  long long partsMade_ = 0;
  const PaintCancel* cancel_ = nullptr;  // of the Compose or KeepPartsFor running
};

}  // namespace twk
