#include "editor/ChangeDrawingFields.h"

#include <unordered_set>
#include <utility>

namespace twk {

DrawingFields DrawingFields::Of(const TWKDATA& item) {
  return DrawingFields{item.DrawMethod, item.DrawMethod2, item.DrawWidth, item.DrawAngle, item.DrawRGBA,
                       item.X1, item.Y1, item.X2, item.Y2, item.X3, item.Y3, item.X4, item.Y4, item.Revision};
}

void DrawingFields::WriteTo(TWKDATA& item) const {
  item.DrawMethod = DrawMethod;
  item.DrawMethod2 = DrawMethod2;
  item.DrawWidth = DrawWidth;
  item.DrawAngle = DrawAngle;
  item.DrawRGBA = DrawRGBA;
  item.X1 = X1;
  item.Y1 = Y1;
  item.X2 = X2;
  item.Y2 = Y2;
  item.X3 = X3;
  item.Y3 = Y3;
  item.X4 = X4;
  item.Y4 = Y4;
  item.Revision = Revision;
}

void ChangeDrawingFields::Swap() {
  for (std::size_t i = 0; i < items_.size(); ++i) {
    const DrawingFields now = DrawingFields::Of(*items_[i]);
    values_[i].WriteTo(*items_[i]);
    values_[i] = now;
  }
}

unsigned ChangeDrawingFields::Changes() const { return items_.empty() ? 0u : DocumentChange::kItemFields; }

bool ChangeDrawingFields::Absorb(EditCommand& later) {
  auto* next = dynamic_cast<ChangeDrawingFields*>(&later);
  if (!next) return false;
  // Both are applied, so each holds old values: this one's are older.
  if (next->items_ == items_) return true;
  // Items only the later one touched bring their old values along.
  std::unordered_set<const TWKDATA*> known(items_.begin(), items_.end());
  for (std::size_t i = 0; i < next->items_.size(); ++i) {
    if (known.contains(next->items_[i])) continue;
    items_.push_back(next->items_[i]);
    values_.push_back(next->values_[i]);
  }
  return true;
}

}  // namespace twk
