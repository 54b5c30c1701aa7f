#pragma once
// The edits made by pointing at items on the canvas: moving some items and
// giving one item a new shape. The command keeps each touched item with the
// value it does not have now; applying and reverting swap the two. It works
// on items, not rows: order, rows and selection are left alone.

#include <memory>
#include <vector>

#include "editor/EditCommand.h"

namespace twk {

class SetItemValues : public EditCommand {
 public:
  struct Change {
    TWKDATA* item = nullptr;
    TWKDATA other;  // the value the item does not have now
  };
  // `changes` hold the new values.
  explicit SetItemValues(std::vector<Change> changes) : changes_(std::move(changes)) {}

  void Apply(Editor& ed) override;
  void Revert(Editor& ed) override;

 private:
  std::vector<Change> changes_;
};

// Moves `items` by (dx, dy) units as the arrow keys move them: every point,
// an ellipse keeping its arc angles; an item listed twice moves once.
// nullptr when no item would change.
std::unique_ptr<SetItemValues> MoveItemsBy(const std::vector<TWKDATA*>& items, float dx, float dy);

// Gives `item` the value `reshaped` (the item with one defining point
// moved); nullptr when that is the value it has.
std::unique_ptr<SetItemValues> ReshapeItem(TWKDATA* item, const TWKDATA& reshaped);

}  // namespace twk
