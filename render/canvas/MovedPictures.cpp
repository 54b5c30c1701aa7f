#include "render/canvas/MovedPictures.h"

#include <algorithm>
#include <cmath>
#include <new>

#include <cairo.h>

#include "render/RasterOps.h"
#include "render/SceneRenderer.h"
#include "render/canvas/AreaCopy.h"
#include "render/canvas/ItemTranslation.h"
#include "render/canvas/MovedRows.h"

namespace twk {

namespace {

// Kept pictures at most: one per eighth of a pixel a move can leave over.
constexpr std::size_t kMostPictures = 8;
// How near a whole number of pixels a kept picture must stand from the
// items to be moved there (far below the 1/256 pixel cairo places by).
constexpr double kWhole = 1e-4;

}  // namespace

MovedPictures::Step MovedPictures::Plan(const TWKFILE& doc, float pixelsPerUnitX, float pixelsPerUnitY,
                                        double& moveX, double& moveY) const {
  Step step;
  const PixelSize size = RenderImageSize(doc, pixelsPerUnitX, pixelsPerUnitY, RenderArea::kDocument);
  float dx = 0, dy = 0;
  step.follows = doc.TWKW == twkw_ && doc.TWKH == twkh_ && pixelsPerUnitX == ppuX_ && pixelsPerUnitY == ppuY_ &&
                 TranslationOf(items_, doc, dx, dy);
  if (!step.follows) return step;
  const double scaleX = AreaPixelsPerUnit(size.width, doc.TWKW), scaleY = AreaPixelsPerUnit(size.height, doc.TWKH);
  moveX = dx * scaleX;
  moveY = dy * scaleY;
  // The kept picture that stands a whole number of pixels from the items,
  // the nearest of them.
  for (std::size_t k = 0; k < kept_.size(); ++k) {
    const double x = kept_[k].x + moveX, y = kept_[k].y + moveY;
    const double wholeX = std::round(x), wholeY = std::round(y);
    if (std::abs(x - wholeX) > kWhole || std::abs(y - wholeY) > kWhole) continue;
    if (std::abs(wholeX) >= size.width || std::abs(wholeY) >= size.height) continue;
    if (step.index >= 0 && std::abs(wholeX) + std::abs(wholeY) >= std::abs(step.dx) + std::abs(step.dy)) continue;
    step.index = static_cast<int>(k);
    step.dx = static_cast<int>(wholeX);
    step.dy = static_cast<int>(wholeY);
  }
  if (step.index < 0) return step;
  step.whole = !RowsToPaint(doc, size.width, size.height, scaleX, scaleY, step.dx, step.dy, step.rows);
  step.rowCount = static_cast<int>(std::count(step.rows.begin(), step.rows.end(), true));
  // Painting most rows on one thread costs more than the whole picture in
  // bands.
  step.whole = step.whole || step.rowCount * 2 > size.height;
  return step;
}

MovedPictures::Step MovedPictures::Follow(const TWKFILE& doc, float pixelsPerUnitX, float pixelsPerUnitY) {
  double moveX = 0, moveY = 0;
  const Step step = Plan(doc, pixelsPerUnitX, pixelsPerUnitY, moveX, moveY);
  if (!step.follows) kept_.clear();
  for (Kept& kept : kept_) kept.x += moveX, kept.y += moveY;
  items_.clear();
  twkw_ = doc.TWKW, twkh_ = doc.TWKH, ppuX_ = pixelsPerUnitX, ppuY_ = pixelsPerUnitY;
  return step;
}

Image* MovedPictures::Update(const TWKFILE& doc, float pixelsPerUnitX, float pixelsPerUnitY,
                             const PaintCancel* cancel) {
  const Step step = Follow(doc, pixelsPerUnitX, pixelsPerUnitY);
  const int last = doc.CData.size() - 1;
  int index = step.index;
  if (index >= 0 && !step.whole) {
    Kept& kept = kept_[index];
    Image& picture = *kept.picture;
    if (step.dx != 0 || step.dy != 0) MovePixels(picture, step.dx, step.dy);
    kept.x -= step.dx, kept.y -= step.dy;
    const double scaleY = AreaPixelsPerUnit(picture.height(), doc.TWKH);
    ForEachRun(step.rows, [&](int top, int bottom) {
      ClearArea(picture, PixelArea{0, top, picture.width(), bottom});
      const TWKFILE items = ItemsOnRows(doc, scaleY, top, bottom);
      PaintItemRows(picture, items, pixelsPerUnitX, pixelsPerUnitY, RenderArea::kDocument, 0, items.CData.size() - 1,
                    top, bottom, cancel);
    });
    ++moved_;
  } else {
    // A picture painted whole, in place of the one it replaces.
    const PixelSize size = RenderImageSize(doc, pixelsPerUnitX, pixelsPerUnitY, RenderArea::kDocument);
    Kept fresh{Image::NewTransparent(size.width, size.height), 0, 0};
    if (!fresh.picture) throw std::bad_alloc();
    PaintItems(*fresh.picture, doc, pixelsPerUnitX, pixelsPerUnitY, RenderArea::kDocument, 0, last, cancel);
    if (index >= 0) {
      kept_[index] = std::move(fresh);
    } else {
      kept_.push_back(std::move(fresh));
      index = static_cast<int>(kept_.size()) - 1;
    }
  }
  if (GivenUp(cancel)) {
    kept_.erase(kept_.begin() + index);  // half painted
    return nullptr;
  }
  return Record(doc, index);
}

Image* MovedPictures::Record(const TWKFILE& doc, int index) {
  // Past the budget, the picture farthest from the items goes (never the
  // one shown, which stands at them).
  Image* shown = kept_[index].picture.get();
  while (kept_.size() > kMostPictures) {
    auto far = std::max_element(kept_.begin(), kept_.end(), [](const Kept& a, const Kept& b) {
      return std::abs(a.x) + std::abs(a.y) < std::abs(b.x) + std::abs(b.y);
    });
    if (far->picture.get() == shown) break;
    kept_.erase(far);
  }
  items_.reserve(doc.CData.size());
  for (int i = 0; i < doc.CData.size(); ++i) items_.push_back(*doc.CData.at(i));
  return shown;
}

bool MovedPictures::Follows(const TWKFILE& doc, float pixelsPerUnitX, float pixelsPerUnitY) const {
  double moveX = 0, moveY = 0;
  const Step step = Plan(doc, pixelsPerUnitX, pixelsPerUnitY, moveX, moveY);
  return step.index >= 0 && !step.whole;
}

void MovedPictures::Keep(const TWKFILE& doc, float pixelsPerUnitX, float pixelsPerUnitY, const Image& picture) try {
  const Step step = Follow(doc, pixelsPerUnitX, pixelsPerUnitY);
  // The picture stands at the items; it replaces the kept one that now
  // stands a whole number of pixels from them, if any.
  Kept fresh{picture.Clone(), 0, 0};
  if (!fresh.picture) throw std::bad_alloc();
  int index = step.index;
  if (index >= 0) {
    kept_[index] = std::move(fresh);
  } else {
    kept_.push_back(std::move(fresh));
    index = static_cast<int>(kept_.size()) - 1;
  }
  (void)Record(doc, index);
} catch (const std::bad_alloc&) {
  Clear();
}

std::unique_ptr<Image> MovedPictures::Compose(const Image& grid, const TWKFILE& doc, float pixelsPerUnitX,
                                              float pixelsPerUnitY, const PaintCancel* cancel) try {
  const Image* layer = Update(doc, pixelsPerUnitX, pixelsPerUnitY, cancel);
  if (!layer) return nullptr;
  auto canvas = Image::NewTransparent(grid.width(), grid.height());
  if (!canvas) return nullptr;
  // As ComposeCanvas lays the document area over the grid.
  cairo_surface_flush(grid.surface());
  ComposeRows(*canvas, grid, *layer, 0, grid.height());
  canvas->MarkDirty();
  return canvas;
} catch (const std::bad_alloc&) {
  Clear();
  return nullptr;
}

bool MovedPictures::Fits(const TWKFILE& doc, float pixelsPerUnitX, float pixelsPerUnitY, PaintBudget& budget) const {
  double moveX = 0, moveY = 0;
  const Step step = Plan(doc, pixelsPerUnitX, pixelsPerUnitY, moveX, moveY);
  if (step.index < 0 || step.whole) return false;
  // The guess for the items on each run of rows, as if they were painted
  // on those rows alone.
  const int width = kept_[step.index].picture->width();
  const double scaleY = AreaPixelsPerUnit(static_cast<int>(step.rows.size()), doc.TWKH);
  ForEachRun(step.rows, [&](int top, int bottom) {
    const TWKFILE items = ItemsOnRows(doc, scaleY, top, bottom);
    (void)budget.Spend(items, 0, items.CData.size() - 1, pixelsPerUnitX, pixelsPerUnitY, width, bottom - top);
  });
  return budget.left();
}

void MovedPictures::Clear() {
  kept_.clear();
  items_.clear();
}

}  // namespace twk
