#include "editor/RowSelection.h"

namespace twk {

RowSelection RowSelection::Of(const ItemRows& rows) {
  RowSelection selection;
  const int count = rows.RowCount();
  for (int row = 0; row < count; ++row) {
    if (!rows.GetRowState(row).selected) continue;
    if (!selection.runs_.empty() && selection.runs_.back().second == row - 1) {
      selection.runs_.back().second = row;
    } else {
      selection.runs_.emplace_back(row, row);
    }
  }
  return selection;
}

void RowSelection::RestoreOn(ItemRows& rows) const {
  const int count = rows.RowCount();
  rows.SelectOnly(runs_.empty() || runs_.front().first >= count ? -1 : runs_.front().first);
  for (const auto& [first, last] : runs_) {
    for (int row = first; row <= last && row < count; ++row) {
      if (row == runs_.front().first) continue;
      rows.SetRowState(row, RowState{true, rows.GetRowState(row).checked});
    }
  }
}

}  // namespace twk
