#pragma once
// Ctrl+C, Ctrl+X and Ctrl+V: the selected items onto the clipboard in the
// three kinds the core makes of them, and the clipboard's items into the
// document. The command table refuses them while drawing and while the
// export window is open.

#include "app/Dialogs.h"

namespace twk {

class Clipboard;
class Editor;

void CopyItemsCommand(Editor& editor, Clipboard& clipboard);   // Ctrl+C
void CutItemsCommand(Editor& editor, Clipboard& clipboard);    // Ctrl+X: copy, then delete as one step
// Ctrl+V; a paste past the document's item ceiling is refused with a message.
void PasteItemsCommand(Editor& editor, Clipboard& clipboard, const Asking& ask);

}  // namespace twk
