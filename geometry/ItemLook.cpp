#include "geometry/ItemLook.h"

#include "document/Colour.h"

namespace twk {

PenStyle PenStyleFor(int endStyle) {
  switch (endStyle) {
    case kCenterEnds: return {LineCap::kFlat, LineJoin::kMiter};
    case kRoundEnds: return {LineCap::kRound, LineJoin::kRound};
    default: return {LineCap::kSquare, LineJoin::kMiter};
  }
}

bool IsPaintedItem(const TWKDATA& item) {
  // Alpha 0 would leave no trace anyway; skipping it saves the work.
  return item.Visible != 0 && item.Type <= kEllipse && AlphaOf(item.DrawRGBA) != 0;
}

}  // namespace twk
