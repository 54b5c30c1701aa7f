#pragma once
// Commands on the selected rows of the item list, and the row drag and drop.
// Whether they may run while an item is under construction is the command
// table's to say (editor/CommandRegistry.h).

#include <vector>

#include "editor/EditorSession.h"

namespace twk {

// Each of them builds one command from the selected rows and runs it, so the
// change reports once.

// Brings each item's Visible in line with its row's check mark; one report
// when anything changed.
void SyncVisibility(EditorSession& ed);
// Hide (false) or Show (true) the items of the selected rows.
void SetSelectedVisibility(EditorSession& ed, bool visible);
// Clones the selected items; nothing when the document would pass
// kDocumentItemCeiling items.
void CloneSelected(EditorSession& ed);
void DeleteSelected(EditorSession& ed);

// The items of the selected rows, in list order.
std::vector<const TWKDATA*> SelectedItems(const EditorSession& ed);
// Puts copies of `sources` at the front of the document in their order, as
// the only selected rows, checked when visible: one step (none when empty).
// False, and nothing added, when the document would pass
// kDocumentItemCeiling items.
bool AddCopiesAtFront(EditorSession& ed, const std::vector<const TWKDATA*>& sources);

// Rebuilds every row from CData after a document was loaded: rows in
// document order, visible items checked, row 0 selected.
void RebuildRowsFromDocument(EditorSession& ed);

// A drag starts: records the first selected row; returns false (and leaves
// `drag` empty) when no row is selected.
bool RowDragStart(EditorSession& ed, PendingDrag& drag);
// Text was dropped and the drop selected the row under the pointer (or
// none). Moves the pending row there when the drag is still valid, then
// clears `drag`. Returns true when the document order changed.
bool RowDrop(EditorSession& ed, PendingDrag& drag, const std::string& droppedText);

}  // namespace twk
