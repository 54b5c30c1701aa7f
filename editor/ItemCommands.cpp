#include "editor/ItemCommands.h"

#include <memory>
#include <string>
#include <vector>

#include "document/Labels.h"
#include "document/Rounding.h"
#include "editor/ChangeItems.h"
#include "editor/ItemListing.h"

namespace twk {

namespace {

std::uint8_t VisibleFlag(bool on) { return on ? 1 : 0; }

// The drag that started in this list is still pending and both its row and
// its item are still there: only then is a drop a move.
bool DragStillValid(const EditorSession& ed, const PendingDrag& drag) {
  if (drag.row < 0 || drag.row >= ed.rows().RowCount() || drag.item == nullptr) return false;
  if (ed.rows().RowItem(drag.row) != drag.item) return false;
  return ed.doc().CData.indexOf(drag.item) >= 0;
}

// Visible := `visible` for the item of `row` when that changes it.
void AddVisibility(std::vector<ItemChange>& changes, int row, TWKDATA* item, bool visible) {
  const std::uint8_t wanted = VisibleFlag(visible);
  if (item->Visible == wanted) return;
  TWKDATA after = *item;
  after.Visible = wanted;
  Touch(after);
  changes.push_back(ItemChange{row, item, std::move(after)});
}

void RunChanges(EditorSession& ed, std::vector<ItemChange> changes) {
  if (!changes.empty()) RunEdit(ed, std::make_unique<ChangeItems>(std::move(changes)));
}

}  // namespace

void SyncVisibility(EditorSession& ed) {
  std::vector<ItemChange> changes;
  for (int row = 0; row < ed.rows().RowCount(); ++row) {
    if (TWKDATA* item = ed.rows().RowItem(row)) AddVisibility(changes, row, item, ed.rows().GetRowState(row).checked);
  }
  RunChanges(ed, std::move(changes));
}

void SetSelectedVisibility(EditorSession& ed, bool visible) {
  std::vector<ItemChange> changes;
  for (int row = 0; row < ed.rows().RowCount(); ++row) {
    TWKDATA* item = ed.rows().RowItem(row);
    if (item && ed.rows().GetRowState(row).selected) AddVisibility(changes, row, item, visible);
  }
  RunChanges(ed, std::move(changes));
}

void CloneSelected(EditorSession& ed) {
  // The copies go to the front in the order of their sources, selected.
  (void)AddCopiesAtFront(ed, SelectedItems(ed));
}

std::vector<const TWKDATA*> SelectedItems(const EditorSession& ed) {
  std::vector<const TWKDATA*> items;
  for (int row = 0; row < ed.rows().RowCount(); ++row) {
    const TWKDATA* item = ed.rows().RowItem(row);
    if (item && ed.rows().GetRowState(row).selected) items.push_back(item);
  }
  return items;
}

bool AddCopiesAtFront(EditorSession& ed, const std::vector<const TWKDATA*>& sources) {
  if (sources.size() > kDocumentItemCeiling - static_cast<std::size_t>(ed.doc().CData.size())) return false;
  std::vector<ListedItem> copies;
  for (const TWKDATA* source : sources) {
    ListedItem copy;
    copy.index = static_cast<int>(copies.size());
    copy.owned = std::make_unique<TWKDATA>(*source);
    copy.item = copy.owned.get();
    copy.text = TypeName(source->Type);
    copy.row = RowState{true, source->Visible != 0};
    copies.push_back(std::move(copy));
  }
  if (copies.empty()) return true;
  RunEdit(ed, std::make_unique<AddItems>(std::move(copies), AddItems::Selection::kAsListed));
  return true;
}

void DeleteSelected(EditorSession& ed) {
  std::vector<ListedItem> doomed;
  for (int row = 0; row < ed.rows().RowCount(); ++row) {
    TWKDATA* item = ed.rows().RowItem(row);
    const RowState state = ed.rows().GetRowState(row);
    if (!item || !state.selected) continue;
    ListedItem listed;
    listed.index = row;
    listed.item = item;
    listed.text = ed.rows().RowText(row);
    listed.row = RowState{false, state.checked};
    doomed.push_back(std::move(listed));
  }
  if (doomed.empty()) return;
  RunEdit(ed, std::make_unique<DeleteItems>(std::move(doomed)));
}

void RebuildRowsFromDocument(EditorSession& ed) {
  RowUpdateBatch batch(ed.rows());
  ed.rows().RemoveAllRows();
  const ItemStore& items = ed.doc().CData;
  for (int i = 0; i < items.size(); ++i) {
    TWKDATA* item = items.at(i);
    ed.rows().ListItem(i, TypeName(item->Type), item, RowState{false, item->Visible != 0});
  }
  if (!items.empty()) ed.rows().SelectOnly(0);
}

bool RowDragStart(EditorSession& ed, PendingDrag& drag) {
  drag = PendingDrag{};
  const int row = ed.rows().FirstSelectedRow();
  if (row < 0) return false;
  drag.row = row;
  drag.item = ed.rows().RowItem(row);
  drag.selection = RowSelection::Of(ed.rows());
  return true;
}

bool RowDrop(EditorSession& ed, PendingDrag& drag, const std::string& droppedText) {
  (void)droppedText;  // the moved row keeps its own label: a row's label always names its item
  const PendingDrag source = drag;
  drag = PendingDrag{};
  const int target = ed.rows().FirstSelectedRow();
  if (target < 0 || !DragStillValid(ed, source)) return false;
  if (target == source.row) {
    // Dropped on itself: the row is selected alone and nothing moves.
    ed.rows().SelectOnly(target);
    return false;
  }
  RunEdit(ed, std::make_unique<MoveItem>(source.row, target), 0, &source.selection);
  return true;
}

}  // namespace twk
