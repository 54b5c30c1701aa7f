#include "render/CanvasComposer.h"

#include <algorithm>
#include <new>

#include "render/ChangedArea.h"
#include "render/LayerArea.h"
#include "render/SceneRenderer.h"

namespace twk {

namespace {

// The indices of the items a plan paints for every picture.
std::vector<int> PaintedIndices(const std::vector<PlanPart>& plan) {
  std::vector<int> indices;
  for (const PlanPart& part : plan) {
    for (int i = part.first; !part.kept && i <= part.last; ++i) indices.push_back(i);
  }
  return indices;
}

std::vector<TWKDATA> CopiesOf(const TWKFILE& doc, const std::vector<int>& indices) {
  std::vector<TWKDATA> items;
  items.reserve(indices.size());
  for (int i : indices) items.push_back(*doc.CData.at(i));
  return items;
}

}  // namespace

bool CanvasComposer::Prepare(const TWKFILE& doc, const std::vector<PlanPart>& plan, const Scale& scale) {
  if (!(scale == scale_)) DropLayers();
  if (!(scale == cropScale_)) {
    crops_.Clear();
    cropScale_ = scale;
  }
  bool whole = !picture_ || plan != plan_;
  // Layers that still hold are taken over, if they are of the kind the
  // part needs (a picture behind, a record in front); the others are freed
  // before any new one is painted.
  std::vector<std::unique_ptr<ItemLayer>> layers(plan.size());
  for (std::size_t k = 0; k < plan.size(); ++k) {
    for (auto& kept : layers_) {
      if (plan[k].kept && kept && kept->hasPicture() == (k == 0) && kept->Holds(doc, plan[k].first, plan[k].last)) {
        layers[k] = std::move(kept);
      }
    }
  }
  layers_.clear();
  plan_.clear();
  for (std::size_t k = 0; k < plan.size(); ++k) {
    if (!plan[k].kept || layers[k]) continue;
    // The layer behind is one picture, copied under the selection; those in
    // front are blended item by item from their own pictures.
    layers[k] = k == 0 ? ItemLayer::Paint(doc, plan[k].first, plan[k].last, scale.ppuX, scale.ppuY, cancel_)
                       : ItemLayer::Record(doc, plan[k].first, plan[k].last);
    if (!layers[k]) throw std::bad_alloc();
    ++layersPainted_;
    whole = true;
  }
  layers_ = std::move(layers);
  plan_ = plan;
  scale_ = scale;
  paintedIndices_ = PaintedIndices(plan);
  if (!picture_) {
    const PixelSize size = RenderImageSize(doc, scale.ppuX, scale.ppuY, RenderArea::kDocument);
    picture_ = Image::NewTransparent(size.width, size.height);
    if (!picture_) throw std::bad_alloc();
  }
  return whole;
}

void CanvasComposer::PaintPart(const TWKFILE& doc, const PlanPart& part, PixelArea area, bool whole) {
  if (whole) {
    PaintItems(*picture_, doc, scale_.ppuX, scale_.ppuY, RenderArea::kDocument, part.first, part.last, cancel_);
    return;
  }
  if (area.left == 0 && area.right == picture_->width()) {
    PaintItemRows(*picture_, doc, scale_.ppuX, scale_.ppuY, RenderArea::kDocument, part.first, part.last, area.top,
                  area.bottom, cancel_);
    return;
  }
  // Painting in whole rows gives exactly a full redraw's pixels, painting in
  // a column range does not; and outside `area` the picture already holds
  // these items. So they are painted in whole rows over a copy of `area`,
  // and only `area` is taken back.
  if (!scratch_ || scratch_->width() != picture_->width() || scratch_->height() != picture_->height()) {
    scratch_ = Image::NewTransparent(picture_->width(), picture_->height());
    if (!scratch_) throw std::bad_alloc();
  }
  CopyArea(*scratch_, *picture_, area);
  PaintItemRows(*scratch_, doc, scale_.ppuX, scale_.ppuY, RenderArea::kDocument, part.first, part.last, area.top,
                area.bottom, cancel_);
  CopyArea(*picture_, *scratch_, area);
}

void CanvasComposer::Build(const TWKFILE& doc, PixelArea area, bool whole) {
  for (std::size_t k = 0; k < plan_.size(); ++k) {
    const PlanPart& part = plan_[k];
    if (k == 0 && part.kept) {
      CopyArea(*picture_, layers_[k]->image(), area);
    } else if (part.kept &&
               crops_.Blend(*picture_, doc, part.first, part.last, scale_.ppuX, scale_.ppuY, area, cancel_)) {
      continue;
    } else {
      // Past the pictures' memory budget the items in front are painted too.
      if (k == 0) ClearArea(*picture_, area);
      PaintPart(doc, part, area, whole && !part.kept);
    }
  }
}

std::vector<PlanPart> CanvasComposer::PlanFor(const TWKFILE& doc, const EditorState& state,
                                              const std::vector<IndexRun>& selected) {
  const int count = doc.CData.size();
  const bool building = state.Constructing && state.ConstructionItem != nullptr && count > 0 &&
                        state.ConstructionItem == doc.CData.front();
  // The item being drawn is the front item and the only one that changes.
  return PlanLayers(building ? std::vector<IndexRun>{{0, 0}} : selected, count);
}

bool CanvasComposer::Update(const TWKFILE& doc, const EditorState& state, float pixelsPerUnitX,
                            float pixelsPerUnitY, const std::vector<IndexRun>& selected) {
  const std::vector<PlanPart> plan = PlanFor(doc, state, selected);
  if (plan.empty()) {
    DropLayers();
    return false;
  }
  try {
    const bool whole = Prepare(doc, plan, Scale{doc.TWKW, doc.TWKH, pixelsPerUnitX, pixelsPerUnitY});
    const PixelArea all{0, 0, picture_->width(), picture_->height()};
    PixelArea area = all;
    if (!whole && !ChangedArea(doc, paintedIndices_, paintedItems_, pixelsPerUnitX, pixelsPerUnitY, all.right,
                               all.bottom, area)) {
      area = all;
    }
    Build(doc, area, whole || area == all);
    if (GivenUp(cancel_)) {
      DropLayers();  // half painted
      return false;
    }
    paintedItems_ = CopiesOf(doc, paintedIndices_);
    return true;
  } catch (const std::bad_alloc&) {
    Invalidate();  // out of memory
    return false;
  }
}

std::unique_ptr<Image> CanvasComposer::Compose(const Image& grid, const TWKFILE& doc, const EditorState& state,
                                               float pixelsPerUnitX, float pixelsPerUnitY,
                                               const std::vector<IndexRun>& selected,
                                               const PaintCancel* cancel) {
  cancel_ = cancel;
  std::unique_ptr<Image> picture;
  if (Update(doc, state, pixelsPerUnitX, pixelsPerUnitY, selected)) picture = ComposeOverGrid(grid, picture_.get());
  if (!picture && !GivenUp(cancel)) picture = ComposeCanvas(grid, doc, pixelsPerUnitX, pixelsPerUnitY, cancel);
  cancel_ = nullptr;
  if (GivenUp(cancel)) return nullptr;
  return picture;
}

void CanvasComposer::KeepLayersFor(const TWKFILE& doc, const EditorState& state, float pixelsPerUnitX,
                                   float pixelsPerUnitY, const std::vector<IndexRun>& selected,
                                   const PaintCancel* cancel) {
  cancel_ = cancel;
  (void)Update(doc, state, pixelsPerUnitX, pixelsPerUnitY, selected);
  cancel_ = nullptr;
}

bool CanvasComposer::Fits(const TWKFILE& doc, const EditorState& state, float pixelsPerUnitX, float pixelsPerUnitY,
                          const std::vector<IndexRun>& selected, PaintBudget& budget, bool layersOnly) const {
  const PixelSize size = RenderImageSize(doc, pixelsPerUnitX, pixelsPerUnitY, RenderArea::kDocument);
  const std::vector<PlanPart> plan = PlanFor(doc, state, selected);
  const Scale scale{doc.TWKW, doc.TWKH, pixelsPerUnitX, pixelsPerUnitY};
  auto spend = [&](int first, int last) {
    return budget.Spend(doc, first, last, pixelsPerUnitX, pixelsPerUnitY, size.width, size.height);
  };
  // Nothing kept: the full redraw (KeepLayersFor then paints nothing).
  if (plan.empty()) return layersOnly || spend(0, doc.CData.size() - 1);
  for (std::size_t k = 0; k < plan.size(); ++k) {
    const PlanPart& part = plan[k];
    if (!part.kept) {
      if (!layersOnly && !spend(part.first, part.last)) return false;
      continue;
    }
    if (k == 0) {
      const bool held = scale == scale_ && std::any_of(layers_.begin(), layers_.end(), [&](const auto& layer) {
                          return layer && layer->hasPicture() && layer->Holds(doc, part.first, part.last);
                        });
      if (!held && !spend(part.first, part.last)) return false;
      continue;
    }
    // The items in front: each one's own picture that is out of date is
    // painted on its own.
    for (int i = part.first; i <= part.last; ++i) {
      if ((!(scale == cropScale_) || !crops_.Current(doc, i)) && !spend(i, i)) return false;
    }
  }
  return budget.left();
}

void CanvasComposer::Invalidate() {
  DropLayers();
  crops_.Clear();
  cropScale_ = Scale{};
}

void CanvasComposer::DropLayers() {
  plan_.clear();
  layers_.clear();
  picture_.reset();
  scratch_.reset();
  paintedIndices_.clear();
  paintedItems_.clear();
  scale_ = Scale{};
}

}  // namespace twk
