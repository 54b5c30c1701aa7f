#pragma once
// Ctrl+C, Ctrl+X and Ctrl+V: the selected items onto the clipboard in the
// three kinds the core makes of them, and the clipboard's items into the
// document. The command table refuses them while drawing and while the
// export window is open.

namespace twk {

class Clipboard;
class Editor;

void CopyItemsCommand(Editor& editor, Clipboard& clipboard);   // Ctrl+C
void CutItemsCommand(Editor& editor, Clipboard& clipboard);    // Ctrl+X: copy, then delete as one step
void PasteItemsCommand(Editor& editor, Clipboard& clipboard);  // Ctrl+V

}  // namespace twk
