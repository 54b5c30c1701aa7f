#include "render/canvas/PictureItems.h"

#include <unordered_map>

namespace twk {

void PictureItems::Record(const TWKFILE& doc, float pixelsPerUnitX, float pixelsPerUnitY, int width, int height) {
  const int was = static_cast<int>(items_.size()), now = doc.CData.size();
  std::vector<Item> next(static_cast<std::size_t>(now));
  for (int i = 0; i < now; ++i) {
    const TWKDATA& item = *doc.CData.at(i);
    // Items keep their place, counted from the front or (after items were
    // added or taken at the front) from the back.
    const int fromBack = was - (now - i);
    if (held_ && i < was && items_[i].revision == item.Revision) {
      next[i] = items_[i];
    } else if (held_ && fromBack >= 0 && items_[fromBack].revision == item.Revision) {
      next[i] = items_[fromBack];
    } else {
      next[i].revision = item.Revision;
      next[i].told = ReachedArea(item, pixelsPerUnitX, pixelsPerUnitY, width, height, next[i].reach);
    }
  }
  items_ = std::move(next);
  held_ = true;
}

bool PictureItems::Shows(const TWKFILE& doc, int first, int last) const {
  if (!held_ || first < 0 || last >= doc.CData.size() || last - first + 1 != static_cast<int>(items_.size())) {
    return false;
  }
  for (std::size_t k = 0; k < items_.size(); ++k) {
    if (doc.CData.at(first + static_cast<int>(k))->Revision != items_[k].revision) return false;
  }
  return true;
}

std::vector<int> PictureItems::Reaching(PixelArea area) const {
  std::vector<int> indices;
  for (std::size_t k = 0; k < items_.size(); ++k) {
    const PixelArea& reach = items_[k].reach;
    if (!items_[k].told || (reach.left < area.right && area.left < reach.right && reach.top < area.bottom &&
                            area.top < reach.bottom)) {
      indices.push_back(static_cast<int>(k));
    }
  }
  return indices;
}

bool PictureItems::ChangedFrom(const TWKFILE& doc, float pixelsPerUnitX, float pixelsPerUnitY, int width,
                               int height, PixelArea& area) const {
  if (!held_) return false;
  const int was = static_cast<int>(items_.size()), now = doc.CData.size();
  auto revisionNow = [&](int j) { return doc.CData.at(j)->Revision; };
  // The runs at the front and at the back that are the same are left out.
  int front = 0, back = 0;
  while (front < was && front < now && items_[front].revision == revisionNow(front)) ++front;
  while (back < was - front && back < now - front && items_[was - 1 - back].revision == revisionNow(now - 1 - back)) {
    ++back;
  }
  const int wasEnd = was - back, nowEnd = now - back;
  // How many more times each revision is shown now than before (copies
  // share their source's revision).
  std::unordered_map<std::uint64_t, int> surplus;
  for (int i = front; i < wasEnd; ++i) --surplus[items_[i].revision];
  for (int j = front; j < nowEnd; ++j) ++surplus[revisionNow(j)];
  // Both lists walked together: an item in both is passed in each, one
  // shown more often now is new, one shown less often is gone; anything
  // else is a change of order.
  PixelArea changed;
  int i = front, j = front;
  while (i < wasEnd || j < nowEnd) {
    if (i < wasEnd && j < nowEnd && items_[i].revision == revisionNow(j)) {
      ++i, ++j;
    } else if (int* more = j < nowEnd ? &surplus[revisionNow(j)] : nullptr; more && *more > 0) {
      --*more;
      PixelArea reach;
      if (!ReachedArea(*doc.CData.at(j), pixelsPerUnitX, pixelsPerUnitY, width, height, reach)) return false;
      changed = Around(changed, reach);
      ++j;
    } else if (int* fewer = i < wasEnd ? &surplus[items_[i].revision] : nullptr; fewer && *fewer < 0) {
      ++*fewer;
      if (!items_[i].told) return false;
      changed = Around(changed, items_[i].reach);
      ++i;
    } else {
      return false;
    }
  }
  area = changed;
  return true;
}

}  // namespace twk
