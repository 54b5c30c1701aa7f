#include "editor/ChangeItems.h"

#include <unordered_set>
#include <utility>

namespace twk {

void ChangeItems::Swap(EditorSession& ed) {
  for (ItemChange& change : changes_) {
    std::swap(*change.item, change.other);
    const RowState state = ed.rows().GetRowState(change.row);
    const bool checked = change.item->Visible != 0;
    if (state.checked != checked) ed.rows().SetRowState(change.row, RowState{state.selected, checked});
  }
}

unsigned ChangeItems::Changes() const {
  unsigned kinds = 0;
  for (const ItemChange& change : changes_) {
    TWKDATA other = change.other;
    if (other.Visible != change.item->Visible) kinds |= DocumentChange::kVisibility;
    other.Visible = change.item->Visible;
    if (!(other == *change.item)) kinds |= DocumentChange::kItemFields;
  }
  return kinds;
}

bool ChangeItems::Absorb(EditCommand& later) {
  auto* next = dynamic_cast<ChangeItems*>(&later);
  if (!next) return false;
  // Both are applied, so each holds old values: this one's are older. Items
  // only the later one touched bring their old values along.
  std::unordered_set<const TWKDATA*> known;
  for (const ItemChange& change : changes_) known.insert(change.item);
  for (ItemChange& change : next->changes_) {
    if (!known.contains(change.item)) changes_.push_back(std::move(change));
  }
  return true;
}

}  // namespace twk
