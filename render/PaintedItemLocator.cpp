#include "render/PaintedItemLocator.h"

#include "geometry/ItemHandles.h"
#include "geometry/MovePoint.h"
#include "render/BandSelection.h"
#include "render/ItemHitTest.h"

namespace twk {

namespace {

class PaintedItems final : public ItemLocator {
 public:
  int ItemAt(const TWKFILE& doc, Point at, float pixelsPerUnitX, float pixelsPerUnitY) const override {
    return ItemAtPoint(doc, at.x, at.y, pixelsPerUnitX, pixelsPerUnitY);
  }
  std::optional<HandleHit> HandleAt(const TWKFILE& doc, const std::vector<int>& selected, Point at,
                                    float pixelsPerUnitX, float pixelsPerUnitY) const override {
    return HandleAtPoint(doc, selected, at.x, at.y, pixelsPerUnitX, pixelsPerUnitY);
  }
  TWKDATA WithPointAt(const TWKDATA& item, DefiningPoint which, Point to) const override {
    return WithDefiningPointAt(item, which, to);
  }
  std::vector<int> ItemsInBand(const TWKFILE& doc, int left, int top, int right, int bottom, float pixelsPerUnitX,
                               float pixelsPerUnitY) const override {
    return ItemsTouchingBand(doc, {left, top, right, bottom}, pixelsPerUnitX, pixelsPerUnitY);
  }
};

}  // namespace

const ItemLocator& PaintedItemLocator() {
  static const PaintedItems locator;
  return locator;
}

}  // namespace twk
