#pragma once
// A change of item values that leaves the order alone: Hide and Show, a
// check box, a pointer drag (keys on the selection are ChangeDrawingFields). It keeps each touched item with its
// row and one other value of it: the new value until the command is
// applied, the old one afterwards; applying and reverting swap the two. A
// row's check mark follows its item's visibility both ways.

#include <vector>

#include "editor/EditCommand.h"

namespace twk {

struct ItemChange {
  int row = 0;  // the item's row, also its place in CData
  TWKDATA* item = nullptr;
  TWKDATA other;  // the value the item does not have now
};

class ChangeItems : public EditCommand {
 public:
  // `changes` hold the new values.
  explicit ChangeItems(std::vector<ItemChange> changes) : changes_(std::move(changes)) {}

  void Apply(EditorSession& ed) override { Swap(ed); }
  void Revert(EditorSession& ed) override { Swap(ed); }
  // Another ChangeItems applied after this one: the items of both, each
  // reverting to its value before the first.
  bool Absorb(EditCommand& later) override;
  // Visibility when an item's Visible differs between its two values, its
  // fields when anything else does.
  unsigned Changes() const override;

 private:
  void Swap(EditorSession& ed);
  std::vector<ItemChange> changes_;
};

}  // namespace twk
