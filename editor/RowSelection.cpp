#include "editor/RowSelection.h"

namespace twk {

RowSelection RowSelection::Of(const ItemList& rows) {
  RowSelection selection;
  selection.runs_ = rows.SelectedRuns();
  return selection;
}

void RowSelection::RestoreOn(ItemList& rows) const {
  rows.Select(runs_, runs_.empty() ? -1 : runs_.front().first, true);
}

}  // namespace twk
