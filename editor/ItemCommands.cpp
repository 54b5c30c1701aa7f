#include "editor/ItemCommands.h"

#include <string>
#include <vector>

#include "document/Labels.h"
#include "document/Rounding.h"

namespace twk {

namespace {

std::uint8_t VisibleFlag(bool on) { return on ? 1 : 0; }

// Items of the selected rows, visiting the rows from the last to the first.
std::vector<TWKDATA*> SelectedItemsBottomUp(const ItemRows& rows) {
  std::vector<TWKDATA*> items;
  for (int row = rows.RowCount() - 1; row >= 0; --row) {
    if (!rows.GetRowState(row).selected) continue;
    if (TWKDATA* item = rows.RowItem(row)) items.push_back(item);
  }
  return items;
}

// The drag that started in this list is still pending and both its row and
// its item are still there: only then is a drop a move.
bool DragStillValid(const Editor& ed, const PendingDrag& drag) {
  if (drag.row < 0 || drag.row >= ed.rows.RowCount() || drag.item == nullptr) return false;
  if (ed.rows.RowItem(drag.row) != drag.item) return false;
  return ed.doc.CData.indexOf(drag.item) >= 0;
}

}  // namespace

void SyncVisibility(Editor& ed) {
  if (ed.state.Constructing) return;
  bool changed = false;
  for (int row = ed.rows.RowCount() - 1; row >= 0; --row) {
    TWKDATA* item = ed.rows.RowItem(row);
    if (!item) continue;
    const std::uint8_t mark = VisibleFlag(ed.rows.GetRowState(row).checked);
    if (item->Visible != mark) {
      item->Visible = mark;
      changed = true;
    }
  }
  if (changed) ed.documentChanged();
}

void SetSelectedVisibility(Editor& ed, bool visible) {
  if (ed.state.Constructing) return;
  const std::uint8_t wanted = VisibleFlag(visible);
  bool changed = false;
  for (int row = ed.rows.RowCount() - 1; row >= 0; --row) {
    TWKDATA* item = ed.rows.RowItem(row);
    const RowState state = ed.rows.GetRowState(row);
    if (!item || !state.selected || item->Visible == wanted) continue;
    item->Visible = wanted;
    changed = true;
    if (state.checked != visible) ed.rows.SetRowState(row, RowState{state.selected, visible});
  }
  if (changed) ed.documentChanged();
}

void CloneSelected(Editor& ed) {
  if (ed.state.Constructing) return;
  const std::vector<TWKDATA*> sources = SelectedItemsBottomUp(ed.rows);
  if (sources.empty()) return;
  ed.rows.SelectOnly(-1);
  for (const TWKDATA* source : sources) {
    TWKDATA* copy = ed.doc.CData.insertFront(*source);
    ed.rows.InsertRow(0, TypeName(copy->Type));
    ed.rows.AttachItem(0, copy);
    ed.rows.SetRowState(0, RowState{true, copy->Visible != 0});
  }
  ed.documentChanged();
}

void DeleteSelected(Editor& ed) {
  if (ed.state.Constructing) return;
  bool removed = false;
  for (int row = ed.rows.RowCount() - 1; row >= 0; --row) {
    TWKDATA* item = ed.rows.RowItem(row);
    if (!item || !ed.rows.GetRowState(row).selected) continue;
    ed.rows.RemoveRow(row);
    ed.doc.CData.remove(item);
    removed = true;
  }
  if (removed) ed.documentChanged();
}

void RebuildRowsFromDocument(Editor& ed) {
  ed.rows.BeginUpdate();
  ed.rows.RemoveAllRows();
  const ItemStore& items = ed.doc.CData;
  for (int i = 0; i < items.size(); ++i) {
    TWKDATA* item = items.at(i);
    ed.rows.InsertRow(i, TypeName(item->Type));
    ed.rows.AttachItem(i, item);
    ed.rows.SetRowState(i, RowState{false, item->Visible != 0});
  }
  if (!items.empty()) ed.rows.SelectOnly(0);
  ed.rows.EndUpdate();
}

void ReplaceDocument(Editor& ed, TWKFILE&& doc) {
  // No list event may ever see a row whose item has been freed.
  ed.rows.RemoveAllRows();
  ed.doc = std::move(doc);
  RebuildRowsFromDocument(ed);
  ed.documentResized(RoundToInt(ed.doc.TWKW), RoundToInt(ed.doc.TWKH));
  ed.documentChanged();
}

bool RowDragStart(Editor& ed, PendingDrag& drag) {
  drag = PendingDrag{};
  if (ed.state.Constructing) return false;
  const int row = ed.rows.FirstSelectedRow();
  if (row < 0) return false;
  drag.row = row;
  drag.item = ed.rows.RowItem(row);
  drag.state = ed.rows.GetRowState(row);
  return true;
}

bool RowDrop(Editor& ed, PendingDrag& drag, const std::string& droppedText) {
  (void)droppedText;  // the moved row keeps its own label (see below)
  const PendingDrag source = drag;
  drag = PendingDrag{};
  if (ed.state.Constructing) return false;
  const int target = ed.rows.FirstSelectedRow();
  if (target < 0 || !DragStillValid(ed, source)) return false;
  TWKDATA* targetItem = ed.rows.RowItem(target);
  if (!targetItem) return false;
  // The row is rebuilt with the label it had: the dropped text is that label
  // for a drag from this list, and a row's label always names its item.
  const std::string text = ed.rows.RowText(source.row);
  ed.rows.RemoveRow(source.row);
  ed.rows.InsertRow(target, text);
  ed.rows.SelectOnly(target);
  ed.rows.AttachItem(target, source.item);
  ed.rows.SetRowState(target, source.state);
  if (target == source.row) return false;
  const bool moved = target > source.row ? ed.doc.CData.moveAfter(source.item, targetItem)
                                         : ed.doc.CData.moveBefore(source.item, targetItem);
  if (moved) ed.documentChanged();
  return moved;
}

}  // namespace twk
