#pragma once
// Which item states a kept picture shows: the run of items first..last of
// CData, told apart by their Revision. A picture still shows the document
// while the same revisions stand at the same places; any change to an item's
// fields gives it a fresh revision (see document/Item.h), so no field is
// compared. Debug builds keep the items too, and assert that equal revisions
// do mean equal fields.

#include <cstdint>
#include <vector>

#include "document/Document.h"
#include "render/ChangedArea.h"

namespace twk {

class ShownItems {
 public:
  ShownItems() = default;
  // Items first..last of `doc` as they are now.
  ShownItems(const TWKFILE& doc, int first, int last);
  // Whether items first..last of `doc` are still these, in this order.
  bool StillShown(const TWKFILE& doc, int first, int last) const;

 private:
  int first_ = 0;
  std::vector<std::uint64_t> revisions_;
#ifndef NDEBUG
  std::vector<TWKDATA> items_;  // for the assert in StillShown
#endif
};

}  // namespace twk
