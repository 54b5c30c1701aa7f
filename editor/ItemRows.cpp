#include "editor/ItemRows.h"

namespace twk {

void ItemRows::ListItem(int index, const std::string& text, TWKDATA* item, RowState state) {
  InsertRow(index, text);
  AttachItem(index, item);
  SetRowState(index, state);
}

}  // namespace twk
