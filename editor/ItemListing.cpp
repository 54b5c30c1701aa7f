#include "editor/ItemListing.h"

namespace twk {

namespace {

// Puts each item back at its index, lowest first, and lists it.
void Insert(Editor& ed, std::vector<ListedItem>& items) {
  for (ListedItem& listed : items) {
    ed.doc.CData.insert(listed.index, std::move(listed.owned));
    ed.rows.ListItem(listed.index, listed.text, listed.item, listed.row);
  }
}

// Takes each item and its row out, highest index first. The row goes
// first: no list event may see a row whose item has left.
void Remove(Editor& ed, std::vector<ListedItem>& items) {
  for (auto it = items.rbegin(); it != items.rend(); ++it) {
    ed.rows.RemoveRow(it->index);
    it->owned = ed.doc.CData.take(it->index);
  }
}

void Move(Editor& ed, int from, int to) {
  const std::string text = ed.rows.RowText(from);
  const bool checked = ed.rows.GetRowState(from).checked;
  TWKDATA* item = ed.rows.RowItem(from);
  ed.rows.RemoveRow(from);
  ed.rows.ListItem(to, text, item, RowState{false, checked});
  ed.rows.SelectOnly(to);
  ed.doc.CData.insert(to, ed.doc.CData.take(from));
}

}  // namespace

void AddItems::Apply(Editor& ed) {
  if (selection_ == Selection::kAsListed) ed.rows.SelectOnly(-1);
  Insert(ed, items_);
  if (items_.empty()) return;
  if (selection_ == Selection::kOnlyFirstNew) {
    ed.rows.SelectOnly(items_.front().index);
  } else if (items_.front().row.selected) {
    // The first new row takes the focus mark, as the row made last would.
    ed.rows.SetRowState(items_.front().index, items_.front().row);
  }
}

void AddItems::Revert(Editor& ed) { Remove(ed, items_); }

void DeleteItems::Apply(Editor& ed) { Remove(ed, items_); }

void DeleteItems::Revert(Editor& ed) {
  // The rows come back unselected; whoever reverts restores the selection.
  for (ListedItem& listed : items_) listed.row.selected = false;
  Insert(ed, items_);
}

void MoveItem::Apply(Editor& ed) { Move(ed, from_, to_); }
void MoveItem::Revert(Editor& ed) { Move(ed, to_, from_); }

}  // namespace twk
