#include "render/ItemCrops.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include <cairo.h>

#include "render/ChangedArea.h"
#include "render/SceneRenderer.h"
#include "tasks/JobPool.h"

namespace twk {

namespace {

struct PixelBounds {
  int left, top, right, bottom;  // right and bottom exclusive; empty when left >= right
};

// The pixels of rows [top, bottom) of `image` that are not fully transparent.
PixelBounds CoveredPixels(const Image& image, int top, int bottom) {
  PixelBounds b{image.width(), bottom, 0, top};
  for (int y = top; y < bottom; ++y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(image.data() + std::size_t(y) * image.stride());
    int x = 0;
    while (x < image.width() && row[x] == 0) ++x;
    if (x == image.width()) continue;
    int end = image.width();
    while (row[end - 1] == 0) --end;
    b.left = std::min(b.left, x), b.right = std::max(b.right, end);
    b.top = std::min(b.top, y), b.bottom = std::max(b.bottom, y + 1);
  }
  return b;
}

std::size_t BytesOf(const Image& image) { return std::size_t(image.stride()) * std::size_t(image.height()); }

}  // namespace

std::unique_ptr<ItemCrops::Crop> ItemCrops::Paint(const TWKFILE& doc, int index, float pixelsPerUnitX,
                                                  float pixelsPerUnitY, Image& scratch) {
  const TWKDATA& item = *doc.CData.at(index);
  const int width = scratch.width(), height = scratch.height();
  // Painted in the rows it reaches, which gives exactly their pixels of a
  // whole picture; every row when its reach cannot be told.
  PixelArea reach;
  if (!ReachedArea(item, pixelsPerUnitX, pixelsPerUnitY, width, height, reach)) reach = {0, 0, width, height};
  const int top = reach.top, bottom = reach.bottom;
  cairo_surface_flush(scratch.surface());
  std::memset(scratch.data() + std::size_t(top) * scratch.stride(), 0, std::size_t(bottom - top) * scratch.stride());
  scratch.MarkDirty();
  PaintItemRows(scratch, doc, pixelsPerUnitX, pixelsPerUnitY, RenderArea::kDocument, index, index, top, bottom);
  cairo_surface_flush(scratch.surface());

  auto made = std::make_unique<Crop>();
  made->item = item;
  const PixelBounds b = CoveredPixels(scratch, top, bottom);
  if (b.left < b.right) {
    made->image = Image::NewTransparent(b.right - b.left, b.bottom - b.top);
    if (!made->image) return nullptr;
    cairo_surface_flush(made->image->surface());
    for (int y = b.top; y < b.bottom; ++y) {
      std::memcpy(made->image->data() + std::size_t(y - b.top) * made->image->stride(),
                  scratch.data() + std::size_t(y) * scratch.stride() + std::size_t(b.left) * 4,
                  std::size_t(b.right - b.left) * 4);
    }
    made->image->MarkDirty();
    made->x = b.left, made->y = b.top;
  }
  return made;
}

bool ItemCrops::Current(const TWKFILE& doc, int index) const {
  if (index < 0 || index >= doc.CData.size() || static_cast<std::size_t>(index) >= crops_.size()) return false;
  const std::unique_ptr<Crop>& crop = crops_[static_cast<std::size_t>(index)];
  return crop && crop->item == *doc.CData.at(index);
}

bool ItemCrops::Ensure(const TWKFILE& doc, int first, int last, float pixelsPerUnitX, float pixelsPerUnitY, int width,
                       int height, const PaintCancel* cancel) {
  std::vector<int> stale;
  for (int i = first; i <= last; ++i) {
    if (!Current(doc, i)) stale.push_back(i);
  }
  for (std::unique_ptr<Image>& scratch : scratch_) {
    if (stale.empty() || (scratch && scratch->width() == width && scratch->height() == height)) continue;
    scratch = Image::NewTransparent(width, height);
    if (!scratch) return false;
  }
  // The pictures are painted on both threads, in batches that double in
  // size: past the budget few are painted only to be dropped.
  std::size_t batch = 2;
  for (std::size_t start = 0; start < stale.size(); start += batch, batch = std::min<std::size_t>(batch * 2, 64)) {
    if (GivenUp(cancel)) return false;
    const std::size_t count = std::min(batch, stale.size() - start);
    std::vector<std::unique_ptr<Crop>> made(count);
    JobPool::Shared().Run(count, [&](std::size_t thread, std::size_t k) {
      made[k] = Paint(doc, stale[start + k], pixelsPerUnitX, pixelsPerUnitY, *scratch_[thread]);
    });
    for (std::size_t k = 0; k < count; ++k) {
      std::unique_ptr<Crop>& crop = crops_[static_cast<std::size_t>(stale[start + k])];
      if (crop && crop->image) bytes_ -= BytesOf(*crop->image);
      crop.reset();
      if (!made[k]) return false;
      const std::size_t size = made[k]->image ? BytesOf(*made[k]->image) : 0;
      if (static_cast<double>(bytes_ + size) > budgetCanvases_ * 4.0 * width * height) return false;
      bytes_ += size;
      crop = std::move(made[k]);
    }
  }
  return true;
}

bool ItemCrops::Blend(Image& target, const TWKFILE& doc, int first, int last, float pixelsPerUnitX,
                      float pixelsPerUnitY, PixelArea area, const PaintCancel* cancel) {
  area = {std::max(area.left, 0), std::max(area.top, 0), std::min(area.right, target.width()),
          std::min(area.bottom, target.height())};
  if (area.empty() || first > last) return true;
  Fit(static_cast<std::size_t>(doc.CData.size()));
  if (!Ensure(doc, first, last, pixelsPerUnitX, pixelsPerUnitY, target.width(), target.height(), cancel)) return false;
  cairo_t* cr = cairo_create(target.surface());
  cairo_rectangle(cr, area.left, area.top, area.right - area.left, area.bottom - area.top);
  cairo_clip(cr);
  for (int i = last; i >= first; --i) {
    const Crop& crop = *crops_[static_cast<std::size_t>(i)];
    if (!crop.image || crop.y >= area.bottom || crop.y + crop.image->height() <= area.top || crop.x >= area.right ||
        crop.x + crop.image->width() <= area.left) {
      continue;
    }
    cairo_set_source_surface(cr, crop.image->surface(), crop.x, crop.y);
    cairo_paint(cr);
  }
  cairo_destroy(cr);
  return true;
}

void ItemCrops::Fit(std::size_t count) {
  for (std::size_t i = count; i < crops_.size(); ++i) {
    if (crops_[i] && crops_[i]->image) bytes_ -= BytesOf(*crops_[i]->image);
  }
  crops_.resize(count);
}

void ItemCrops::Clear() {
  crops_.clear();
  for (std::unique_ptr<Image>& scratch : scratch_) scratch.reset();
  bytes_ = 0;
}

}  // namespace twk
