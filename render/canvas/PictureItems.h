#pragma once
// The item states a whole canvas picture shows: every item of CData, in
// order, told by its Revision, with the pixels each one reaches. A later
// state of the document differs from that picture only where the items it
// no longer shows, or shows anew, reach, as long as the items in both keep
// their order: an item reaching a pixel paints over the items behind it
// there, so a pixel no such item reaches has the same items over it, in the
// same order, before and after.

#include <cstdint>
#include <vector>

#include "document/Document.h"
#include "render/ChangedArea.h"

namespace twk {

class PictureItems {
 public:
  // Records the items of `doc` as a picture `width` x `height` at the given
  // pixels per unit shows them now; the reach of an item held at the same
  // place is taken over, the others' are worked out.
  void Record(const TWKFILE& doc, float pixelsPerUnitX, float pixelsPerUnitY, int width, int height);
  void Clear() { items_.clear(), held_ = false; }
  bool held() const { return held_; }
  // Whether the picture shows exactly items first..last of `doc`: their
  // revisions, in this order, and no other item.
  bool Shows(const TWKFILE& doc, int first, int last) const;
  // The pixels where a picture of `doc` differs from this one: around the
  // reach of every item only one of them shows (empty when they show the
  // same). False when that cannot be told: nothing is held, an item's reach
  // is unknown, or the items in both are not in the same order.
  bool ChangedFrom(const TWKFILE& doc, float pixelsPerUnitX, float pixelsPerUnitY, int width, int height,
                   PixelArea& area) const;
  // The indices of the items whose reach meets `area` (or is unknown), in
  // order: the only ones that paint any of its pixels.
  std::vector<int> Reaching(PixelArea area) const;

 private:
  struct Item {
    std::uint64_t revision = 0;
    PixelArea reach;
    bool told = false;  // whether `reach` is known
  };
  std::vector<Item> items_;
  bool held_ = false;
};

}  // namespace twk
