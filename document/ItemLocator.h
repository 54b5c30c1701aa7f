#pragma once
// Finding items by where they are painted. Only the renderer, which paints
// them, can answer: an item is under the pointer when its painted figure,
// pen and dots are, and its handles sit where its points are painted,
// turned with it. The pointer asks through this, all in document units.

#include <optional>
#include <vector>

#include "document/DefiningPoint.h"
#include "document/Document.h"
#include "document/Point.h"

namespace twk {

class ItemLocator {
 public:
  virtual ~ItemLocator() = default;
  // The index in doc.CData of the front-most shown item painted at `at`
  // at these pixels per unit, within a small reach; -1 for none.
  virtual int ItemAt(const TWKFILE& doc, Point at, float pixelsPerUnitX, float pixelsPerUnitY) const = 0;
  // The handle of the items `selected` (indices into doc.CData) at `at`.
  virtual std::optional<HandleHit> HandleAt(const TWKFILE& doc, const std::vector<int>& selected, Point at,
                                            float pixelsPerUnitX, float pixelsPerUnitY) const = 0;
  // `item` with its defining point `which` painted at `to` and every other
  // handle left where it is painted.
  virtual TWKDATA WithPointAt(const TWKDATA& item, DefiningPoint which, Point to) const = 0;
  // The indices in doc.CData, in order, of the shown items painted on any
  // canvas pixel of columns [left, right) and rows [top, bottom).
  virtual std::vector<int> ItemsInBand(const TWKFILE& doc, int left, int top, int right, int bottom,
                                       float pixelsPerUnitX, float pixelsPerUnitY) const = 0;
};

}  // namespace twk
