#pragma once
// A change of item values that leaves the order alone: key commands on the
// selection, Hide and Show, a check box. It keeps each touched item with its
// row and its values before and after; a row's check mark follows its
// item's visibility both ways.

#include <vector>

#include "editor/EditCommand.h"

namespace twk {

struct ItemChange {
  int row = 0;  // the item's row, also its place in CData
  TWKDATA* item = nullptr;
  TWKDATA before;
  TWKDATA after;
};

class ChangeItems : public EditCommand {
 public:
  explicit ChangeItems(std::vector<ItemChange> changes) : changes_(std::move(changes)) {}

  void Apply(Editor& ed) override;
  void Revert(Editor& ed) override;
  // Another ChangeItems: the items of both, each from its first value to its
  // last.
  bool Absorb(EditCommand& later) override;

  const std::vector<ItemChange>& changes() const { return changes_; }

 private:
  std::vector<ItemChange> changes_;
};

}  // namespace twk
