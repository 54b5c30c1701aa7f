#pragma once
// Ctrl+C, Ctrl+X and Ctrl+V: the selected items onto the clipboard in the
// three kinds the core makes of them, and the clipboard's items into the
// document. The command table refuses them while drawing and while the
// export window is open.

#include "app/Dialogs.h"

namespace twk {

class Clipboard;
class EditorSession;

// Each says so in a message when the items' copies do not fit in memory,
// and then changes nothing.
void CopyItemsCommand(EditorSession& editor, Clipboard& clipboard, const Asking& ask);  // Ctrl+C
// Ctrl+X: copy, then delete as one step.
void CutItemsCommand(EditorSession& editor, Clipboard& clipboard, const Asking& ask);
// Ctrl+V; a paste past the document's item ceiling is refused with a message.
void PasteItemsCommand(EditorSession& editor, Clipboard& clipboard, const Asking& ask);

}  // namespace twk
