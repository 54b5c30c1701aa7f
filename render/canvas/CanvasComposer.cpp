#include "render/canvas/CanvasComposer.h"

#include <algorithm>
#include <cassert>
#include <new>

#include "render/SceneRenderer.h"
#include "render/canvas/AreaCopy.h"
#include "render/canvas/AreaRepaint.h"

namespace twk {

namespace {

// The indices of the items a plan paints for every picture.
std::vector<int> PaintedIndices(const std::vector<PlanPart>& plan) {
  std::vector<int> indices;
  for (const PlanPart& part : plan) {
    for (int i = part.first; part.kind == PartKind::kRepainted && i <= part.last; ++i) indices.push_back(i);
  }
  return indices;
}

std::vector<TWKDATA> CopiesOf(const TWKFILE& doc, const std::vector<int>& indices) {
  std::vector<TWKDATA> items;
  items.reserve(indices.size());
  for (int i : indices) items.push_back(*doc.CData.at(i));
  return items;
}

// Items first..last of `doc` painted onto a new transparent picture of the
// document area; nullptr when it cannot be made, half painted once `cancel`
// is requested.
std::unique_ptr<Image> PaintBehind(const TWKFILE& doc, int first, int last, float pixelsPerUnitX,
                                   float pixelsPerUnitY, const PaintCancel* cancel) {
  const PixelSize size = RenderImageSize(doc, pixelsPerUnitX, pixelsPerUnitY, RenderArea::kDocument);
  auto image = Image::NewTransparent(size.width, size.height);
  if (image) PaintItems(*image, doc, pixelsPerUnitX, pixelsPerUnitY, RenderArea::kDocument, first, last, cancel);
  return image;
}

}  // namespace

bool CanvasComposer::Prepare(const TWKFILE& doc, const std::vector<PlanPart>& plan) {
  bool whole = !built_.picture || plan != kept_.plan;
  // Parts that still hold are taken over when of the same kind; the others
  // are freed before any new one is painted.
  KeptParts next;
  next.plan = plan;
  next.shown.resize(plan.size());
  std::vector<bool> reused(plan.size(), false);
  for (std::size_t k = 0; k < plan.size(); ++k) {
    for (std::size_t j = 0; plan[k].kept() && j < kept_.plan.size() && !reused[k]; ++j) {
      if (kept_.plan[j].kind != plan[k].kind || !kept_.shown[j].StillShown(doc, plan[k].first, plan[k].last)) continue;
      next.shown[k] = std::move(kept_.shown[j]);
      if (plan[k].kind == PartKind::kBehind) next.behind = std::move(kept_.behind);
      reused[k] = true;
    }
  }
  kept_ = KeptParts{};
  for (std::size_t k = 0; k < plan.size(); ++k) {
    if (!plan[k].kept() || reused[k]) continue;
    // The items in front need no picture here: theirs are kept item by item.
    next.shown[k] = ShownItems(doc, plan[k].first, plan[k].last);
    whole = true;
    if (plan[k].kind == PartKind::kBehind && built_.picture && built_.shows.Shows(doc, plan[k].first, plan[k].last)) {
      // The last picture shows exactly these items (say, those a paste put
      // new items in front of): it is their picture.
      next.behind = std::move(built_.picture);
      built_.shows.Clear();
      continue;
    }
    if (plan[k].kind == PartKind::kBehind) {
      next.behind = PaintBehind(doc, plan[k].first, plan[k].last, scale_.ppuX, scale_.ppuY, cancel_);
      if (!next.behind) throw std::bad_alloc();
    }
    ++partsMade_;
  }
  kept_ = std::move(next);
  built_.paintedIndices = PaintedIndices(plan);
  if (!built_.picture) {
    const PixelSize size = RenderImageSize(doc, scale_.ppuX, scale_.ppuY, RenderArea::kDocument);
    built_.picture = Image::NewTransparent(size.width, size.height);
    if (!built_.picture) throw std::bad_alloc();
  }
  return whole;
}

void CanvasComposer::PaintPart(const TWKFILE& doc, const PlanPart& part, PixelArea area, bool whole) {
  Image& picture = *built_.picture;
  if (whole) {
    PaintItems(picture, doc, scale_.ppuX, scale_.ppuY, RenderArea::kDocument, part.first, part.last, cancel_);
    return;
  }
  if (area.left == 0 && area.right == picture.width()) {
    PaintItemRows(picture, doc, scale_.ppuX, scale_.ppuY, RenderArea::kDocument, part.first, part.last, area.top,
                  area.bottom, cancel_);
    return;
  }
  // Painting in whole rows gives exactly a full redraw's pixels, painting in
  // a column range does not; and outside `area` the picture already holds
  // these items. So they are painted in whole rows over a copy of `area`,
  // and only `area` is taken back.
  std::unique_ptr<Image>& scratch = built_.scratch;
  if (!scratch || scratch->width() != picture.width() || scratch->height() != picture.height()) {
    scratch = Image::NewTransparent(picture.width(), picture.height());
    if (!scratch) throw std::bad_alloc();
  }
  CopyArea(*scratch, picture, area);
  PaintItemRows(*scratch, doc, scale_.ppuX, scale_.ppuY, RenderArea::kDocument, part.first, part.last, area.top,
                area.bottom, cancel_);
  CopyArea(picture, *scratch, area);
}

void CanvasComposer::Build(const TWKFILE& doc, PixelArea area, bool whole) {
  Image& picture = *built_.picture;
  if (kept_.plan.front().kind != PartKind::kBehind) ClearArea(picture, area);
  for (const PlanPart& part : kept_.plan) {
    switch (part.kind) {
      case PartKind::kBehind:
        CopyArea(picture, *kept_.behind, area);
        break;
      case PartKind::kKeptPictures:
        // Past the pictures' memory budget the items are painted instead.
        if (!pictures_.Blend(picture, doc, part.first, part.last, scale_.ppuX, scale_.ppuY, area, cancel_)) {
          PaintPart(doc, part, area, false);
        }
        break;
      case PartKind::kRepainted:
        PaintPart(doc, part, area, whole);
        break;
    }
  }
}

std::vector<PlanPart> CanvasComposer::PlanFor(const TWKFILE& doc, const EditorState& state,
                                              const std::vector<IndexRun>& selected) {
  const int count = doc.CData.size();
  const bool building = state.Constructing && state.ConstructionItem != nullptr && count > 0 &&
                        state.ConstructionItem == doc.CData.front();
  // The item being drawn is the front item and the only one that changes.
  return PlanCanvas(building ? std::vector<IndexRun>{{0, 0}} : selected, count);
}

bool CanvasComposer::Reaches(const TWKFILE& doc, PixelArea& area) const {
  const PixelSize size = RenderImageSize(doc, scale_.ppuX, scale_.ppuY, RenderArea::kDocument);
  return built_.picture && built_.picture->width() == size.width && built_.picture->height() == size.height &&
         built_.shows.ChangedFrom(doc, scale_.ppuX, scale_.ppuY, size.width, size.height, area);
}

bool CanvasComposer::StartsFromPicture(const TWKFILE& doc, const std::vector<PlanPart>& plan, PixelArea& area) const {
  if (plan.empty()) return true;
  if (plan == kept_.plan || !built_.picture) return false;
  if (plan.front().kind == PartKind::kBehind && built_.shows.Shows(doc, plan.front().first, plan.front().last)) {
    return false;  // Prepare takes the last picture as the picture behind
  }
  // Whichever is guessed to cost less: every item in the rows the change
  // reaches, or the parts the plan lacks.
  return Reaches(doc, area) && !(area == PixelArea{0, 0, built_.picture->width(), built_.picture->height()}) &&
         GuessNs(doc, {{0, doc.CData.size() - 1}}, RowShare(area)) < GuessNs(doc, ToPaint(doc, plan, false, true), 1);
}

double CanvasComposer::RowShare(PixelArea area) const {
  return area.empty() || !built_.picture ? 0 : static_cast<double>(area.bottom - area.top) / built_.picture->height();
}

void CanvasComposer::Repaint(const TWKFILE& doc, PixelArea area, bool whole) {
  DropKeptParts();
  const PixelSize size = RenderImageSize(doc, scale_.ppuX, scale_.ppuY, RenderArea::kDocument);
  if (!built_.picture) {
    built_.picture = Image::NewTransparent(size.width, size.height);
    if (!built_.picture) throw std::bad_alloc();
  }
  if (whole) {
    ClearArea(*built_.picture, area);
    PaintItems(*built_.picture, doc, scale_.ppuX, scale_.ppuY, RenderArea::kDocument, 0, doc.CData.size() - 1,
               cancel_);
    return;
  }
  // Only the items that reach `area` paint its pixels: the others are left
  // out, as a copy of the document with those items alone.
  built_.shows.Record(doc, scale_.ppuX, scale_.ppuY, size.width, size.height);
  TWKFILE reaching;
  reaching.TWKW = doc.TWKW, reaching.TWKH = doc.TWKH;
  for (int i : built_.shows.Reaching(area)) reaching.CData.append(*doc.CData.at(i));
  RepaintArea(*built_.picture, built_.bands, reaching, scale_.ppuX, scale_.ppuY, area, cancel_);
}

bool CanvasComposer::Update(const TWKFILE& doc, const EditorState& state, float pixelsPerUnitX,
                            float pixelsPerUnitY, const std::vector<IndexRun>& selected, bool composing) {
  const std::vector<PlanPart> plan = PlanFor(doc, state, selected);
  if (plan.empty() && !composing) {
    DropKeptParts();  // nothing to keep; the last picture stays
    return false;
  }
  try {
    const Scale scale{doc.TWKW, doc.TWKH, pixelsPerUnitX, pixelsPerUnitY};
    if (!(scale == scale_)) {
      Invalidate();
      scale_ = scale;
    }
    const PixelSize size = RenderImageSize(doc, pixelsPerUnitX, pixelsPerUnitY, RenderArea::kDocument);
    const PixelArea all{0, 0, size.width, size.height};
    PixelArea area = all;
    if (composing && StartsFromPicture(doc, plan, area)) {
      if (plan.empty() && !Reaches(doc, area)) area = all;
      Repaint(doc, area, area == all);
    } else {
      const bool whole = Prepare(doc, plan);
      if (whole || !ChangedArea(doc, built_.paintedIndices, built_.paintedItems, pixelsPerUnitX, pixelsPerUnitY,
                                all.right, all.bottom, area)) {
        area = all;
      }
      Build(doc, area, area == all);
    }
    if (GivenUp(cancel_)) {
      DropParts();  // half painted
      return false;
    }
    built_.paintedItems = CopiesOf(doc, built_.paintedIndices);
    built_.shows.Record(doc, pixelsPerUnitX, pixelsPerUnitY, all.right, all.bottom);
    NoteChanged(area);
    CheckInvariants();
    return true;
  } catch (const std::bad_alloc&) {
    Invalidate();
    return false;
  }
}

std::unique_ptr<Image> CanvasComposer::Compose(const Image& grid, const TWKFILE& doc, const EditorState& state,
                                               float pixelsPerUnitX, float pixelsPerUnitY,
                                               const std::vector<IndexRun>& selected,
                                               const PaintCancel* cancel) {
  cancel_ = cancel;
  std::unique_ptr<Image> picture;
  // With nothing selected a key moves every item alike: the last picture
  // moves with them (MovedPictures) when that is cheaper than the rows it
  // would paint again.
  const bool allMove = PlanFor(doc, state, selected).empty();
  if (!allMove) moved_.Clear();
  if (allMove && moved_.Follows(doc, pixelsPerUnitX, pixelsPerUnitY)) {
    picture = moved_.Compose(grid, doc, pixelsPerUnitX, pixelsPerUnitY, cancel);
    change_.everything = true;
  } else if (Update(doc, state, pixelsPerUnitX, pixelsPerUnitY, selected, true)) {
    picture = ComposeOverGrid(grid, built_.picture.get());
    if (allMove && picture) moved_.Keep(doc, pixelsPerUnitX, pixelsPerUnitY, *built_.picture);
  }
  if (!picture && !GivenUp(cancel)) {
    picture = ComposeCanvas(grid, doc, pixelsPerUnitX, pixelsPerUnitY, cancel);
    change_.everything = true;
  }
  cancel_ = nullptr;
  if (GivenUp(cancel) || !picture) return nullptr;
  // A grid of another size is another grid (it follows the canvas's size
  // and the document's).
  if (grid.width() != gridWidth_ || grid.height() != gridHeight_) change_.everything = true;
  const PixelArea canvas{0, 0, grid.width(), grid.height()};
  const PixelArea area = change_.area;
  lastChanged_ = change_.everything ? canvas
                                    : PixelArea{std::max(area.left, 0), std::max(area.top, 0),
                                                std::min(area.right, canvas.right), std::min(area.bottom, canvas.bottom)};
  if (lastChanged_.empty()) lastChanged_ = PixelArea{};
  gridWidth_ = grid.width(), gridHeight_ = grid.height();
  change_ = Change{false, PixelArea{}};
  return picture;
}

void CanvasComposer::KeepPartsFor(const TWKFILE& doc, const EditorState& state, float pixelsPerUnitX,
                                   float pixelsPerUnitY, const std::vector<IndexRun>& selected,
                                   const PaintCancel* cancel) {
  cancel_ = cancel;
  (void)Update(doc, state, pixelsPerUnitX, pixelsPerUnitY, selected, false);
  cancel_ = nullptr;
}

std::vector<IndexRun> CanvasComposer::ToPaint(const TWKFILE& doc, const std::vector<PlanPart>& plan, bool partsOnly,
                                              bool sameScale) const {
  std::vector<IndexRun> runs;
  // Nothing kept: the full redraw.
  if (plan.empty() && doc.CData.size() > 0) runs.push_back({0, doc.CData.size() - 1});
  for (const PlanPart& part : plan) {
    switch (part.kind) {
      case PartKind::kRepainted:
        if (!partsOnly) runs.push_back({part.first, part.last});
        break;
      case PartKind::kBehind: {
        // Kept, or the last picture that shows exactly these items.
        bool held = sameScale && built_.shows.Shows(doc, part.first, part.last);
        for (std::size_t j = 0; sameScale && j < kept_.plan.size(); ++j) {
          held = held || (kept_.plan[j].kind == PartKind::kBehind && kept_.shown[j].StillShown(doc, part.first, part.last));
        }
        if (!held) runs.push_back({part.first, part.last});
        break;
      }
      case PartKind::kKeptPictures:
        // Each item whose own picture is missing is painted on its own.
        for (int i = part.first; i <= part.last; ++i) {
          if (!sameScale || !pictures_.Current(doc, i)) runs.push_back({i, i});
        }
        break;
    }
  }
  return runs;
}

double CanvasComposer::GuessNs(const TWKFILE& doc, const std::vector<IndexRun>& runs, double share) const {
  const PixelSize size = RenderImageSize(doc, scale_.ppuX, scale_.ppuY, RenderArea::kDocument);
  double ns = 0;
  for (const auto& [first, last] : runs) {
    for (int i = first; i <= last; ++i) {
      ns += GuessPaintNs(*doc.CData.at(i), scale_.ppuX, scale_.ppuY, size.width, size.height);
    }
  }
  return ns * share;
}

bool CanvasComposer::Fits(const TWKFILE& doc, const EditorState& state, float pixelsPerUnitX, float pixelsPerUnitY,
                          const std::vector<IndexRun>& selected, PaintBudget& budget, bool partsOnly) const {
  const PixelSize size = RenderImageSize(doc, pixelsPerUnitX, pixelsPerUnitY, RenderArea::kDocument);
  const std::vector<PlanPart> plan = PlanFor(doc, state, selected);
  const bool sameScale = Scale{doc.TWKW, doc.TWKH, pixelsPerUnitX, pixelsPerUnitY} == scale_;
  // KeepPartsFor paints nothing when no part would be kept.
  if (plan.empty() && partsOnly) return true;
  if (plan.empty() && moved_.Follows(doc, pixelsPerUnitX, pixelsPerUnitY)) {
    return moved_.Fits(doc, pixelsPerUnitX, pixelsPerUnitY, budget);
  }
  PixelArea area;
  if (!partsOnly && sameScale && StartsFromPicture(doc, plan, area) && (!plan.empty() || Reaches(doc, area))) {
    return area.empty() || budget.Spend(GuessNs(doc, {{0, doc.CData.size() - 1}}, RowShare(area)));
  }
  for (const auto& [first, last] : ToPaint(doc, plan, partsOnly, sameScale)) {
    if (!budget.Spend(doc, first, last, pixelsPerUnitX, pixelsPerUnitY, size.width, size.height)) return false;
  }
  return budget.left();
}

void CanvasComposer::NoteChanged(PixelArea area) {
  if (!change_.everything) change_.area = Around(change_.area, area);
}

void CanvasComposer::Invalidate() {
  DropParts();
  pictures_.Clear();
  moved_.Clear();
  scale_ = Scale{};
}

void CanvasComposer::DropParts() {
  kept_ = KeptParts{};
  built_ = BuiltPicture{};
  change_.everything = true;
}

void CanvasComposer::DropKeptParts() {
  kept_ = KeptParts{};
  built_.paintedIndices.clear();
  built_.paintedItems.clear();
}

void CanvasComposer::CheckInvariants() const {
#ifndef NDEBUG
  assert(kept_.shown.size() == kept_.plan.size());
  for (std::size_t k = 0; k < kept_.plan.size(); ++k) {
    assert(k == 0 || kept_.plan[k].kind != PartKind::kBehind);
  }
  const bool behindPlanned = !kept_.plan.empty() && kept_.plan.front().kind == PartKind::kBehind;
  assert(behindPlanned == (kept_.behind != nullptr));
  assert(!kept_.behind || (kept_.behind->width() == built_.picture->width() &&
                           kept_.behind->height() == built_.picture->height()));
  assert(built_.paintedIndices.size() == built_.paintedItems.size());
  assert((built_.picture != nullptr) == built_.shows.held());
  assert(kept_.plan.empty() || built_.picture);
#endif
}

}  // namespace twk
