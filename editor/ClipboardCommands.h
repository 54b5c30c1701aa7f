#pragma once
// The editing side of copy, cut and paste. Copy hands over the chosen items
// in a document of this document's size (cut is a copy, then Delete); what
// goes on the clipboard is the program's business. The command table
// refuses them while drawing.

#include "editor/EditorSession.h"

namespace twk {

// The items of the selected rows in list order, in a document of the
// document's size; no items when none is selected.
TWKFILE CopySelected(const EditorSession& ed);
// Puts copies of `items` at the front of the document in their order, as the
// only selected rows, checked when visible: one step. Pasted back into their
// own document they lie exactly over their sources, as clones do. False, and
// nothing pasted, when the document would pass kDocumentItemCeiling items.
bool PasteItems(EditorSession& ed, const ItemStore& items);

}  // namespace twk
