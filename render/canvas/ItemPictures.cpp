#include "render/canvas/ItemPictures.h"

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <cstring>
#include <unordered_set>

#include <cairo.h>

#include "render/ChangedArea.h"
#include "render/SceneRenderer.h"
#include "tasks/JobPool.h"
#include "render/canvas/ShownItems.h"

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

std::unique_ptr<ItemPictures::Picture> ItemPictures::Paint(const TWKFILE& doc, int index, float pixelsPerUnitX,
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

  auto made = std::make_unique<Picture>();
#ifndef NDEBUG
  made->item = item;
#endif
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

bool ItemPictures::Current(const TWKFILE& doc, int index) const {
  if (index < 0 || index >= doc.CData.size()) return false;
  const TWKDATA& item = *doc.CData.at(index);
  const auto found = pictures_.find(item.Revision);
  if (found == pictures_.end()) return false;
#ifndef NDEBUG
  assert(SameState(item, found->second.item));
#endif
  return true;
}

void ItemPictures::PaintAll(const TWKFILE& doc, const std::vector<int>& indices, float pixelsPerUnitX,
                            float pixelsPerUnitY, std::vector<std::unique_ptr<Picture>>& made) {
  JobPool::Shared().Run(indices.size(), [&](std::size_t thread, std::size_t k) {
    made[k] = Paint(doc, indices[k], pixelsPerUnitX, pixelsPerUnitY, *scratch_[thread]);
  });
}

bool ItemPictures::FitBudget() {
  if (bytes_ <= budgetBytes_) return true;
  std::vector<std::pair<long long, std::uint64_t>> unused;  // last use, revision
  for (const auto& [revision, picture] : pictures_) {
    if (picture.lastUse < use_ && picture.image) unused.push_back({picture.lastUse, revision});
  }
  std::sort(unused.begin(), unused.end());
  for (const auto& [lastUse, revision] : unused) {
    if (bytes_ <= budgetBytes_) break;
    const auto found = pictures_.find(revision);
    bytes_ -= BytesOf(*found->second.image);
    pictures_.erase(found);
  }
  return bytes_ <= budgetBytes_;
}

bool ItemPictures::Ensure(const TWKFILE& doc, int first, int last, float pixelsPerUnitX, float pixelsPerUnitY,
                          int width, int height, const PaintCancel* cancel) {
  // The pictures this Blend needs are in use; of the missing ones each
  // revision is painted once (copies share it).
  std::vector<int> missing;
  std::unordered_set<std::uint64_t> wanted;
  for (int i = first; i <= last; ++i) {
    const std::uint64_t revision = doc.CData.at(i)->Revision;
    if (auto found = pictures_.find(revision); found != pictures_.end()) {
      found->second.lastUse = use_;
    } else if (wanted.insert(revision).second) {
      missing.push_back(i);
    }
  }
  for (std::unique_ptr<Image>& scratch : scratch_) {
    if (missing.empty() || (scratch && scratch->width() == width && scratch->height() == height)) continue;
    scratch = Image::NewTransparent(width, height);
    if (!scratch) return false;
  }
  // In batches that double in size: past the budget few are painted only to
  // be dropped.
  std::size_t batch = 2;
  for (std::size_t start = 0; start < missing.size(); start += batch, batch = std::min<std::size_t>(batch * 2, 64)) {
    if (GivenUp(cancel)) return false;
    const std::vector<int> indices(missing.begin() + static_cast<std::ptrdiff_t>(start),
                                   missing.begin() + static_cast<std::ptrdiff_t>(std::min(start + batch, missing.size())));
    std::vector<std::unique_ptr<Picture>> made(indices.size());
    PaintAll(doc, indices, pixelsPerUnitX, pixelsPerUnitY, made);
    for (std::size_t k = 0; k < indices.size(); ++k) {
      if (!made[k]) return false;
      ++picturesPainted_;
      made[k]->lastUse = use_;
      bytes_ += made[k]->image ? BytesOf(*made[k]->image) : 0;
      pictures_[doc.CData.at(indices[k])->Revision] = std::move(*made[k]);
    }
    if (!FitBudget()) {
      // Those in use alone pass the budget: this batch goes again, which
      // leaves the pictures within it as they were before.
      for (int index : indices) {
        const auto found = pictures_.find(doc.CData.at(index)->Revision);
        if (found->second.image) bytes_ -= BytesOf(*found->second.image);
        pictures_.erase(found);
      }
      return false;
    }
  }
  return true;
}

bool ItemPictures::Blend(Image& target, const TWKFILE& doc, int first, int last, float pixelsPerUnitX,
                         float pixelsPerUnitY, PixelArea area, const PaintCancel* cancel) {
  area = {std::max(area.left, 0), std::max(area.top, 0), std::min(area.right, target.width()),
          std::min(area.bottom, target.height())};
  if (area.empty() || first > last) return true;
  ++use_;
  if (!Ensure(doc, first, last, pixelsPerUnitX, pixelsPerUnitY, target.width(), target.height(), cancel)) return false;
  assert(bytes_ <= budgetBytes_);
  cairo_t* cr = cairo_create(target.surface());
  cairo_rectangle(cr, area.left, area.top, area.right - area.left, area.bottom - area.top);
  cairo_clip(cr);
  for (int i = last; i >= first; --i) {
    const Picture& picture = pictures_.at(doc.CData.at(i)->Revision);
    const Image* image = picture.image.get();
    if (!image || picture.y >= area.bottom || picture.y + image->height() <= area.top || picture.x >= area.right ||
        picture.x + image->width() <= area.left) {
      continue;
    }
    cairo_set_source_surface(cr, image->surface(), picture.x, picture.y);
    cairo_paint(cr);
  }
  cairo_destroy(cr);
  return true;
}

void ItemPictures::Clear() {
  pictures_.clear();
  for (std::unique_ptr<Image>& scratch : scratch_) scratch.reset();
  bytes_ = 0;
}

}  // namespace twk
