#include "editor/ChangeItems.h"

#include <unordered_map>

namespace twk {

namespace {

void Write(ItemRows& rows, int row, TWKDATA& item, const TWKDATA& value) {
  item = value;
  const RowState state = rows.GetRowState(row);
  const bool checked = value.Visible != 0;
  if (state.checked != checked) rows.SetRowState(row, RowState{state.selected, checked});
}

}  // namespace

void ChangeItems::Apply(Editor& ed) {
  for (const ItemChange& change : changes_) Write(ed.rows, change.row, *change.item, change.after);
}

void ChangeItems::Revert(Editor& ed) {
  for (const ItemChange& change : changes_) Write(ed.rows, change.row, *change.item, change.before);
}

bool ChangeItems::Absorb(EditCommand& later) {
  auto* next = dynamic_cast<ChangeItems*>(&later);
  if (!next) return false;
  // Usually the same items in the same order (a key held on one selection).
  bool sameItems = next->changes_.size() == changes_.size();
  for (std::size_t i = 0; sameItems && i < changes_.size(); ++i) {
    sameItems = changes_[i].item == next->changes_[i].item;
  }
  if (sameItems) {
    for (std::size_t i = 0; i < changes_.size(); ++i) changes_[i].after = next->changes_[i].after;
    return true;
  }
  std::unordered_map<const TWKDATA*, std::size_t> known;
  for (std::size_t i = 0; i < changes_.size(); ++i) known.emplace(changes_[i].item, i);
  for (ItemChange& change : next->changes_) {
    const auto found = known.find(change.item);
    if (found != known.end()) {
      changes_[found->second].after = change.after;
    } else {
      changes_.push_back(std::move(change));
    }
  }
  return true;
}

}  // namespace twk
