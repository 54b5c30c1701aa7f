#include "render/canvas/SeenPictures.h"

#include <utility>

namespace twk {

PictureFrame FrameOf(long long gridEpoch, const Image& grid, const TWKFILE& doc, float ppuX, float ppuY) {
  return PictureFrame{gridEpoch, grid.width(), grid.height(), doc.TWKW, doc.TWKH, ppuX, ppuY};
}

std::size_t SeenPictures::BytesOf(const Image& picture) {
  return static_cast<std::size_t>(picture.stride()) * static_cast<std::size_t>(picture.height());
}

std::list<SeenPictures::Seen>::iterator SeenPictures::Lookup(const PictureFrame& frame, const TWKFILE& doc) {
  const int last = doc.CData.size() - 1;
  for (auto it = seen_.begin(); it != seen_.end(); ++it) {
    if (it->frame == frame && it->items.StillShown(doc, 0, last)) return it;
  }
  return seen_.end();
}

void SeenPictures::Keep(const PictureFrame& frame, const TWKFILE& doc, std::shared_ptr<const Image> picture) {
  if (!picture) return;
  const std::size_t size = BytesOf(*picture);
  if (size > mostBytes_ || mostPictures_ == 0) return;
  // The record of the items is made before the lock: it reads only `doc`.
  Seen entry{frame, ShownItems(doc, 0, doc.CData.size() - 1), std::move(picture)};
  std::lock_guard lock(mutex_);
  if (const auto same = Lookup(frame, doc); same != seen_.end()) {
    bytes_ -= BytesOf(*same->picture);
    seen_.erase(same);
  }
  while (!seen_.empty() && (seen_.size() + 1 > mostPictures_ || bytes_ + size > mostBytes_)) {
    bytes_ -= BytesOf(*seen_.back().picture);
    seen_.pop_back();
  }
  seen_.push_front(std::move(entry));
  bytes_ += size;
}

std::shared_ptr<const Image> SeenPictures::Find(const PictureFrame& frame, const TWKFILE& doc) {
  std::lock_guard lock(mutex_);
  const auto found = Lookup(frame, doc);
  if (found == seen_.end()) return nullptr;
  seen_.splice(seen_.begin(), seen_, found);  // now the most recently used
  return seen_.front().picture;
}

void SeenPictures::Clear() {
  std::lock_guard lock(mutex_);
  seen_.clear();
  bytes_ = 0;
}

std::size_t SeenPictures::count() const {
  std::lock_guard lock(mutex_);
  return seen_.size();
}

std::size_t SeenPictures::bytes() const {
  std::lock_guard lock(mutex_);
  return bytes_;
}

}  // namespace twk
