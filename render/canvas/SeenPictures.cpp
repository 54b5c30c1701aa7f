#include "render/canvas/SeenPictures.h"

#include <algorithm>
#include <utility>

namespace twk {

PictureFrame FrameOf(long long gridEpoch, const Image& grid, const TWKFILE& doc, float ppuX, float ppuY) {
  return PictureFrame{gridEpoch, grid.width(), grid.height(), doc.TWKW, doc.TWKH, ppuX, ppuY};
}

std::size_t SeenPictures::BytesOf(const Image& picture) {
  return static_cast<std::size_t>(picture.stride()) * static_cast<std::size_t>(picture.height());
}

std::size_t SeenPictures::BytesOf(const Seen& seen) {
  return BytesOf(*seen.picture) + (seen.shown ? BytesOf(*seen.shown) : 0);
}

std::vector<std::uint64_t> SeenPictures::RevisionsOf(const TWKFILE& doc, const std::vector<int>& marked) {
  std::vector<std::uint64_t> revisions;
  revisions.reserve(marked.size());
  for (int index : marked) {
    revisions.push_back(index >= 0 && index < doc.CData.size() ? doc.CData.at(index)->Revision : 0);
  }
  return revisions;
}

void SeenPictures::Evict() {
  while (!seen_.empty() && (seen_.size() > mostPictures_ || bytes_ > mostBytes_)) {
    bytes_ -= BytesOf(seen_.back());
    seen_.pop_back();
  }
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
  Seen entry{frame, ShownItems(doc, 0, doc.CData.size() - 1), std::move(picture), {}, {}, nullptr, {}};
  std::lock_guard lock(mutex_);
  if (const auto same = Lookup(frame, doc); same != seen_.end()) {
    bytes_ -= BytesOf(*same);
    seen_.erase(same);
  }
  seen_.push_front(std::move(entry));
  bytes_ += size;
  Evict();
}

void SeenPictures::KeepMarked(const std::shared_ptr<const Image>& plain, const std::vector<int>& marked,
                              std::vector<std::uint64_t> revisions, std::shared_ptr<const Image> shown,
                              PixelArea marks) {
  if (!plain || !shown || shown == plain) return;
  std::vector<int> copy = marked;
  std::lock_guard lock(mutex_);
  const auto found = std::find_if(seen_.begin(), seen_.end(), [&](const Seen& s) { return s.picture == plain; });
  if (found == seen_.end()) return;
  bytes_ -= BytesOf(*found);
  found->marked = std::move(copy);
  found->markedRevisions = std::move(revisions);
  found->shown = std::move(shown);
  found->marks = marks;
  // Marks that would not fit beside the picture alone are not kept.
  if (BytesOf(*found) > mostBytes_) found->shown = nullptr;
  bytes_ += BytesOf(*found);
  seen_.splice(seen_.begin(), seen_, found);
  Evict();
}

SeenPicture SeenPictures::Find(const PictureFrame& frame, const TWKFILE& doc, const std::vector<int>& marked) {
  const std::vector<std::uint64_t> revisions = RevisionsOf(doc, marked);
  std::lock_guard lock(mutex_);
  const auto found = Lookup(frame, doc);
  if (found == seen_.end()) return {};
  seen_.splice(seen_.begin(), seen_, found);  // now the most recently used
  const Seen& seen = seen_.front();
  if (seen.shown && seen.marked == marked && seen.markedRevisions == revisions) return {seen.picture, seen.shown, seen.marks};
  return {seen.picture, nullptr, {}};
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
