#include "render/CanvasComposer.h"

#include <new>

#include "render/ChangedRows.h"
#include "render/LayerRows.h"
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
    layers[k] = k == 0 ? ItemLayer::Paint(doc, plan[k].first, plan[k].last, scale.ppuX, scale.ppuY)
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

void CanvasComposer::Build(const TWKFILE& doc, int top, int bottom, bool whole) {
  for (std::size_t k = 0; k < plan_.size(); ++k) {
    const PlanPart& part = plan_[k];
    if (k == 0 && part.kept) {
      CopyRows(*picture_, layers_[k]->image(), top, bottom);
    } else if (part.kept && crops_.Blend(*picture_, doc, part.first, part.last, scale_.ppuX, scale_.ppuY, top, bottom)) {
      continue;
    } else if (part.kept) {
      // Past the pictures' memory budget the items are painted here.
      PaintItemRows(*picture_, doc, scale_.ppuX, scale_.ppuY, RenderArea::kDocument, part.first, part.last, top,
                    bottom);
    } else {
      if (k == 0) ClearRows(*picture_, top, bottom);
      if (whole) {
        PaintItems(*picture_, doc, scale_.ppuX, scale_.ppuY, RenderArea::kDocument, part.first, part.last);
      } else {
        PaintItemRows(*picture_, doc, scale_.ppuX, scale_.ppuY, RenderArea::kDocument, part.first, part.last, top,
                      bottom);
      }
    }
  }
}

bool CanvasComposer::Update(const TWKFILE& doc, const EditorState& state, float pixelsPerUnitX,
                            float pixelsPerUnitY, const std::vector<IndexRun>& selected) {
  const int count = doc.CData.size();
  const bool building = state.Constructing && state.ConstructionItem != nullptr && count > 0 &&
                        state.ConstructionItem == doc.CData.front();
  // The item being drawn is the front item and the only one that changes.
  const std::vector<PlanPart> plan = PlanLayers(building ? std::vector<IndexRun>{{0, 0}} : selected, count);
  if (plan.empty()) {
    DropLayers();
    return false;
  }
  try {
    const bool whole = Prepare(doc, plan, Scale{doc.TWKW, doc.TWKH, pixelsPerUnitX, pixelsPerUnitY});
    const int height = picture_->height();
    int top = 0, bottom = height;
    if (!whole && !ChangedRows(doc, paintedIndices_, paintedItems_, pixelsPerUnitY, height, top, bottom)) {
      top = 0, bottom = height;
    }
    Build(doc, top, bottom, whole || (top == 0 && bottom == height));
    paintedItems_ = CopiesOf(doc, paintedIndices_);
    return true;
  } catch (...) {
    Invalidate();  // out of memory
    return false;
  }
}

std::unique_ptr<Image> CanvasComposer::Compose(const Image& grid, const TWKFILE& doc, const EditorState& state,
                                               float pixelsPerUnitX, float pixelsPerUnitY,
                                               const std::vector<IndexRun>& selected) {
  if (Update(doc, state, pixelsPerUnitX, pixelsPerUnitY, selected)) {
    if (auto picture = ComposeOverGrid(grid, picture_.get())) return picture;
  }
  return ComposeCanvas(grid, doc, pixelsPerUnitX, pixelsPerUnitY);
}

void CanvasComposer::KeepLayersFor(const TWKFILE& doc, const EditorState& state, float pixelsPerUnitX,
                                   float pixelsPerUnitY, const std::vector<IndexRun>& selected) {
  (void)Update(doc, state, pixelsPerUnitX, pixelsPerUnitY, selected);
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
  paintedIndices_.clear();
  paintedItems_.clear();
  scale_ = Scale{};
}

}  // namespace twk
