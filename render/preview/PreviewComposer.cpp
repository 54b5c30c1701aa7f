#include "render/preview/PreviewComposer.h"

#include <algorithm>
#include <atomic>
#include <cmath>

#include <cairo.h>

#include "render/RasterOps.h"
#include "tasks/JobPool.h"

namespace twk {

namespace {

// A kept layer copy every this many items at least, and at most this many
// copies per size: a change repaints at most one stride more than the items
// in front of it.
constexpr int kMinStride = 32;
constexpr int kMaxCopies = 64;
// Repaints of fewer items than this run on the calling thread: a second
// thread costs more than it saves.
constexpr int kItemsWorthAThread = 16;

}  // namespace

PreviewComposer::PreviewComposer() {
  // Largest first, so that two threads taking sizes in order finish together.
  for (auto it = kPreviewSizes.rbegin(); it != kPreviewSizes.rend(); ++it) sizes_.emplace_back(*it);
}

int PreviewComposer::UnchangedItems(const TWKFILE& doc) {
  const int count = doc.CData.size();
  // The previous list's buffer is reused, so a large document costs no
  // allocation per mouse move.
  std::swap(painted_, scratch_);
  painted_.clear();
  painted_.reserve(static_cast<std::size_t>(count));
  for (int i = count - 1; i >= 0; --i) painted_.push_back(doc.CData.at(i)->Revision);
  const auto differ = std::mismatch(painted_.begin(), painted_.end(), scratch_.begin(), scratch_.end());
  return static_cast<int>(differ.first - painted_.begin());
}

int PreviewComposer::UnchangedItemsAsLast(const TWKFILE& doc) const {
  const int count = doc.CData.size();
  const int common = std::min(count, static_cast<int>(painted_.size()));
  int unchanged = 0;
  while (unchanged < common && doc.CData.at(count - 1 - unchanged)->Revision == painted_[unchanged]) ++unchanged;
  return unchanged;
}

int PreviewComposer::ItemsToRepaint(const TWKFILE& doc) const {
  const int count = doc.CData.size();
  if (!current_) return count;
  if (hooks_.prepare) return UnchangedItemsAsLast(doc) == count && count == static_cast<int>(painted_.size()) ? 0 : count;
  const int unchanged = UnchangedItemsAsLast(doc);
  int most = 0;
  for (const Size& size : sizes_) most = std::max(most, size.checkpoints.ItemsToPaint(count, unchanged));
  return most;
}

void PreviewComposer::Compose(Size& size) {
  const Image* layer = size.checkpoints.layer();
  for (std::size_t g = 0; g < kPreviewGrounds.size(); ++g) {
    auto& ground = size.grounds[g];
    if (!ground && layer) ground = Image::NewFilled(layer->width(), layer->height(), GroundColour(kPreviewGrounds[g]));
    // A fresh picture each time: the last one may still be shown elsewhere.
    // Without a ground or layer there is nothing to show rather than a
    // wrong picture.
    std::unique_ptr<Image> picture;
    if (ground && layer) picture = Image::NewTransparent(ground->width(), ground->height());
    if (picture) {
      cairo_surface_flush(picture->surface());
      ComposeRows(*picture, *ground, *layer, 0, ground->height());
      picture->MarkDirty();
    }
    size.pictures[g] = std::move(picture);
  }
}

bool PreviewComposer::Update(const TWKFILE& doc, PaintThreads threads, const PaintCancel* cancel) {
  const int previous = static_cast<int>(painted_.size());
  const int count = doc.CData.size();
  int unchanged = UnchangedItems(doc);
  if (!current_) unchanged = 0;
  if (current_ && unchanged == count && previous == count) return false;
  const int stride = std::max(kMinStride, count / kMaxCopies + 1);
  if (hooks_.prepare) {
    unchanged = 0;
    for (Size& size : sizes_) size.checkpoints.Clear();
  }

  // A failure in any size is raised once every size has stopped.
  const bool two = threads == PaintThreads::kTwo && count - unchanged >= kItemsWorthAThread;
  std::atomic<bool> gaveUp{false};  // a size's document could not be prepared
  try {
    JobPool::Shared().Run(sizes_.size(), [&](std::size_t, std::size_t i) {
      Size& size = sizes_[i];
      const TWKFILE* painted = &doc;
      std::optional<TWKFILE> prepared;
      if (hooks_.prepare && !(prepared = hooks_.prepare(doc, size.edge, cancel))) {
        gaveUp = true;
        return;
      }
      if (prepared) painted = &*prepared;
      if (size.checkpoints.Update(*painted, unchanged, stride, cancel) || !size.pictures[0]) Compose(size);
      const Image* layer = size.checkpoints.layer();
      if (GivenUp(cancel)) return;
      size.figure = hooks_.figure && layer ? hooks_.figure(*painted, *layer, cancel) : std::nan("");
    }, two ? TaskThreads::kTwo : TaskThreads::kOne);
  } catch (...) {  // whatever it is goes on up, once the sizes are forgotten
    Invalidate();  // half-updated sizes would mix two documents
    throw;
  }
  if (GivenUp(cancel) || gaveUp) {
    Invalidate();  // some sizes may show the new items, some none
    return false;
  }
  current_ = true;
  return true;
}

const Image* PreviewComposer::Picture(int sizeIndex, PreviewGround ground) const {
  if (sizeIndex < 0 || sizeIndex >= static_cast<int>(kPreviewSizes.size())) return nullptr;
  // sizes_ runs largest first.
  const Size& size = sizes_[sizes_.size() - 1 - static_cast<std::size_t>(sizeIndex)];
  return size.pictures[ground == PreviewGround::kLight ? 0 : 1].get();
}

PreviewPictures PreviewComposer::Pictures() const {
  PreviewPictures set;
  for (std::size_t s = 0; s < kPreviewSizes.size(); ++s) {
    set.images[s] = sizes_[sizes_.size() - 1 - s].pictures;
    set.figures[s] = sizes_[sizes_.size() - 1 - s].figure;
  }
  return set;
}

const Image* PreviewPictures::Picture(int sizeIndex, PreviewGround ground) const {
  if (sizeIndex < 0 || sizeIndex >= static_cast<int>(images.size())) return nullptr;
  return images[static_cast<std::size_t>(sizeIndex)][ground == PreviewGround::kLight ? 0 : 1].get();
}

void PreviewComposer::SetSizeHooks(PreviewSizeHooks hooks) {
  hooks_ = std::move(hooks);
  Invalidate();
}

void PreviewComposer::Invalidate() {
  for (Size& size : sizes_) {
    size.checkpoints.Clear();
    for (auto& picture : size.pictures) picture.reset();
  }
  painted_.clear();
  current_ = false;
}

long long PreviewComposer::itemsPainted() const {
  long long total = 0;
  for (const Size& size : sizes_) total += size.checkpoints.itemsPainted();
  return total;
}

}  // namespace twk
