#include "render/canvas/ShownItems.h"

#include <algorithm>
#include <cassert>

namespace twk {

ShownItems::ShownItems(const TWKFILE& doc, int first, int last) : first_(first) {
  revisions_.reserve(static_cast<std::size_t>(std::max(last - first + 1, 0)));
  for (int i = first; i <= last; ++i) revisions_.push_back(doc.CData.at(i)->Revision);
#ifndef NDEBUG
  for (int i = first; i <= last; ++i) items_.push_back(*doc.CData.at(i));
#endif
}

bool ShownItems::StillShown(const TWKFILE& doc, int first, int last) const {
  if (first != first_ || last - first + 1 != static_cast<int>(revisions_.size()) || last >= doc.CData.size()) {
    return false;
  }
  for (std::size_t k = 0; k < revisions_.size(); ++k) {
    const TWKDATA& now = *doc.CData.at(first + static_cast<int>(k));
    if (now.Revision != revisions_[k]) return false;
#ifndef NDEBUG
    assert(SameState(now, items_[k]));
#endif
  }
  return true;
}

}  // namespace twk
