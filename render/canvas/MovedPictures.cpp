#include "render/canvas/MovedPictures.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

#include <cairo.h>

#include "geometry/FigureReach.h"
#include "render/RasterOps.h"
#include "render/SceneRenderer.h"
#include "render/canvas/AreaCopy.h"
#include "render/canvas/ItemTranslation.h"

namespace twk {

namespace {

// Kept pictures at most: one per eighth of a pixel a move can leave over.
constexpr std::size_t kMostPictures = 8;
// How near a whole number of pixels a kept picture must stand from the
// items to be moved there (far below the 1/256 pixel cairo places by).
constexpr double kWhole = 1e-4;

// The pixels per unit the painter uses on the document area: its pixels
// over its units (a side clamped to 1..16 units, as the renderer does).
double PixelsPerUnit(int pixels, float units) {
  const double side = units >= 1.0f ? std::min(units, 16.0f) : 1.0f;
  return pixels / side;
}

// [floor(from), ceil(to)) grown by the 2 pixels antialiasing can reach.
void Span(double from, double to, double scale, double& first, double& end) {
  first = std::floor(from * scale) - 2;
  end = std::ceil(to * scale) + 2;
}

// Marks the rows whose pixels moving by (dx, dy) does not give: those the
// move uncovers, and, for a sideways move, those of every item cut at the
// left or right side before or after. False when an item's reach cannot be
// told.
bool RowsToPaint(const TWKFILE& doc, int width, int height, double scaleX, double scaleY, int dx, int dy,
                 std::vector<bool>& rows) {
  rows.assign(height, false);
  auto mark = [&](double first, double end) {
    const int top = static_cast<int>(std::clamp(first, 0.0, double(height)));
    const int bottom = static_cast<int>(std::clamp(end, 0.0, double(height)));
    std::fill(rows.begin() + top, rows.begin() + std::max(top, bottom), true);
  };
  if (dy > 0) mark(0, dy);
  if (dy < 0) mark(height + dy, height);
  for (int i = 0; dx != 0 && i < doc.CData.size(); ++i) {
    Box box;
    if (!PaintedBox(*doc.CData.at(i), box)) return false;
    double left = 0, right = 0, top = 0, bottom = 0;
    Span(box.left, box.right, scaleX, left, right);
    Span(box.top, box.bottom, scaleY, top, bottom);
    if (!std::isfinite(left + right + top + bottom)) return false;
    // Where it was: the same columns and rows less the move, a pixel more
    // for the rounding of the sums.
    if (std::min(left, left - dx) - 1 >= 0 && std::max(right, right - dx) + 1 <= width) continue;
    mark(std::min(top, top - dy) - 1, std::max(bottom, bottom - dy) + 1);
  }
  return true;
}

// The items of `doc` that can paint on rows [top, bottom), in their order,
// in a document of their own: on those rows they paint what all of them
// do, without building the figures of the others.
TWKFILE ItemsOnRows(const TWKFILE& doc, double scaleY, int top, int bottom) {
  TWKFILE items;
  items.TWKW = doc.TWKW, items.TWKH = doc.TWKH;
  for (int i = 0; i < doc.CData.size(); ++i) {
    const TWKDATA& item = *doc.CData.at(i);
    Box box;
    double first = 0, end = 0;
    const bool told = PaintedBox(item, box);
    if (told) Span(box.top, box.bottom, scaleY, first, end);
    // An item whose reach cannot be told is kept (as is one at NaN).
    if (!told || !(end <= top || first >= bottom)) items.CData.append(item);
  }
  return items;
}

// Calls `paint` with each run [top, bottom) of the rows marked.
template <typename Paint>
void ForEachRun(const std::vector<bool>& rows, Paint paint) {
  const int height = static_cast<int>(rows.size());
  for (int top = 0; top < height;) {
    if (!rows[top]) {
      ++top;
      continue;
    }
    int bottom = top;
    while (bottom < height && rows[bottom]) ++bottom;
    paint(top, bottom);
    top = bottom;
  }
}

// The pixels of `image` moved by (dx, dy); what the move uncovers is
// transparent.
void MovePixels(Image& image, int dx, int dy) {
  cairo_surface_flush(image.surface());
  const int w = image.width(), h = image.height();
  const std::size_t stride = image.stride();
  std::uint8_t* data = image.data();
  const int to = std::max(dx, 0), from = std::max(-dx, 0), count = w - std::abs(dx);
  auto moveRow = [&](int y) {
    std::uint8_t* row = data + stride * y;
    std::memmove(row + to * 4, data + stride * (y - dy) + from * 4, std::size_t(count) * 4);
    std::memset(row + (dx > 0 ? 0 : count) * 4, 0, std::size_t(std::abs(dx)) * 4);
  };
  // Rows are taken in the order that reads each before it is written.
  if (dy > 0) {
    for (int y = h - 1; y >= dy; --y) moveRow(y);
  } else {
    for (int y = 0; y < h + dy; ++y) moveRow(y);
  }
  image.MarkDirty();
  ClearArea(image, dy > 0 ? PixelArea{0, 0, w, dy} : PixelArea{0, h + dy, w, h});
}

}  // namespace

MovedPictures::Step MovedPictures::Plan(const TWKFILE& doc, float pixelsPerUnitX, float pixelsPerUnitY,
                                        double& moveX, double& moveY) const {
  Step step;
  const PixelSize size = RenderImageSize(doc, pixelsPerUnitX, pixelsPerUnitY, RenderArea::kDocument);
  float dx = 0, dy = 0;
  step.follows = doc.TWKW == twkw_ && doc.TWKH == twkh_ && pixelsPerUnitX == ppuX_ && pixelsPerUnitY == ppuY_ &&
                 TranslationOf(items_, doc, dx, dy);
  if (!step.follows) return step;
  const double scaleX = PixelsPerUnit(size.width, doc.TWKW), scaleY = PixelsPerUnit(size.height, doc.TWKH);
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

Image* MovedPictures::Update(const TWKFILE& doc, float pixelsPerUnitX, float pixelsPerUnitY,
                             const PaintCancel* cancel) {
  double moveX = 0, moveY = 0;
  const Step step = Plan(doc, pixelsPerUnitX, pixelsPerUnitY, moveX, moveY);
  if (!step.follows) kept_.clear();
  for (Kept& kept : kept_) kept.x += moveX, kept.y += moveY;
  items_.clear();
  twkw_ = doc.TWKW, twkh_ = doc.TWKH, ppuX_ = pixelsPerUnitX, ppuY_ = pixelsPerUnitY;
  const int last = doc.CData.size() - 1;
  int index = step.index;
  if (index >= 0 && !step.whole) {
    Kept& kept = kept_[index];
    Image& picture = *kept.picture;
    if (step.dx != 0 || step.dy != 0) MovePixels(picture, step.dx, step.dy);
    kept.x -= step.dx, kept.y -= step.dy;
    const double scaleY = PixelsPerUnit(picture.height(), doc.TWKH);
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
  // Past the budget, the picture farthest from the items goes.
  Image* shown = kept_[index].picture.get();
  while (kept_.size() > kMostPictures) {
    auto far = std::max_element(kept_.begin(), kept_.end(), [](const Kept& a, const Kept& b) {
      return std::abs(a.x) + std::abs(a.y) < std::abs(b.x) + std::abs(b.y);
    });
    kept_.erase(far);
  }
  items_.reserve(doc.CData.size());
  for (int i = 0; i <= last; ++i) items_.push_back(*doc.CData.at(i));
  return shown;
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
  const double scaleY = PixelsPerUnit(static_cast<int>(step.rows.size()), doc.TWKH);
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
