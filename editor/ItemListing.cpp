#include "editor/ItemListing.h"

namespace twk {

namespace {

// Puts each item back at its index, as if lowest first, and lists it: all
// at once, so a thousand rows at the top cost one pass over the list.
void Insert(EditorSession& ed, std::vector<ListedItem>& items) {
  std::vector<std::pair<int, std::unique_ptr<TWKDATA>>> incoming;
  std::vector<ItemList::ListedRow> rows;
  incoming.reserve(items.size());
  rows.reserve(items.size());
  for (ListedItem& listed : items) {
    incoming.emplace_back(listed.index, std::move(listed.owned));
    rows.push_back(ItemList::ListedRow{listed.index, listed.text, listed.item, listed.row});
  }
  ed.doc().CData.insertAll(std::move(incoming));
  ed.rows().ListItems(rows);
}

// Takes the items and their rows out, as if highest index first. The rows
// go first: no list event may see a row whose item has left.
void Remove(EditorSession& ed, std::vector<ListedItem>& items) {
  std::vector<int> indices;
  indices.reserve(items.size());
  for (const ListedItem& listed : items) indices.push_back(listed.index);
  ed.rows().RemoveRows(indices);
  std::vector<std::unique_ptr<TWKDATA>> taken = ed.doc().CData.takeAll(indices);
  for (std::size_t k = 0; k < items.size() && k < taken.size(); ++k) items[k].owned = std::move(taken[k]);
}

void Move(EditorSession& ed, int from, int to) {
  const std::string text = ed.rows().RowText(from);
  const bool checked = ed.rows().GetRowState(from).checked;
  TWKDATA* item = ed.rows().RowItem(from);
  ed.rows().RemoveRow(from);
  ed.rows().ListItem(to, text, item, RowState{false, checked});
  ed.rows().SelectOnly(to);
  ed.doc().CData.insert(to, ed.doc().CData.take(from));
}

}  // namespace

void AddItems::Apply(EditorSession& ed) {
  if (selection_ == Selection::kAsListed) ed.rows().SelectOnly(-1);
  Insert(ed, items_);
  if (items_.empty()) return;
  if (selection_ == Selection::kOnlyFirstNew) {
    ed.rows().SelectOnly(items_.front().index);
  } else if (items_.front().row.selected) {
    // The first new row takes the focus mark, as the row made last would.
    ed.rows().SetRowState(items_.front().index, items_.front().row);
  }
}

void AddItems::Revert(EditorSession& ed) { Remove(ed, items_); }

void DeleteItems::Apply(EditorSession& ed) { Remove(ed, items_); }

void DeleteItems::Revert(EditorSession& ed) {
  // The rows come back unselected; whoever reverts restores the selection.
  for (ListedItem& listed : items_) listed.row.selected = false;
  Insert(ed, items_);
}

void MoveItem::Apply(EditorSession& ed) { Move(ed, from_, to_); }
void MoveItem::Revert(EditorSession& ed) { Move(ed, to_, from_); }

}  // namespace twk
