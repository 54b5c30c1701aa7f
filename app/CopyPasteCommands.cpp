#include "app/CopyPasteCommands.h"

#include <new>
#include <optional>

#include "app/Clipboard.h"
#include "editor/ClipboardCommands.h"
#include "editor/ItemCommands.h"
#include "export/ItemClipboardData.h"
#include "persist/ItemClipboard.h"

namespace twk {
namespace {

// A copy of nothing (no selection, or refused) leaves the clipboard as it
// was.
void PutOnClipboard(Clipboard& clipboard, const TWKFILE& picked) {
  if (picked.CData.empty()) return;
  clipboard.Put(ItemClipboardData(picked));
}

// Copies of many items may not fit in memory: the command then does
// nothing (a cut leaves its items in place) and says so.
template <typename Command>
void UnlessOutOfMemory(const Asking& ask, const QString& title, Command command) {
  try {
    command();
  } catch (const std::bad_alloc&) {
    ask.dialogs.ShowMessage(ask.owner, title, QStringLiteral("Not enough memory for the items."), MessageIcon::kError);
  }
}

}  // namespace

void CopyItemsCommand(EditorSession& editor, Clipboard& clipboard, const Asking& ask) {
  UnlessOutOfMemory(ask, QStringLiteral("Copy"), [&] { PutOnClipboard(clipboard, CopySelected(editor)); });
}

void CutItemsCommand(EditorSession& editor, Clipboard& clipboard, const Asking& ask) {
  // The items go only once they are on the clipboard.
  UnlessOutOfMemory(ask, QStringLiteral("Cut"), [&] {
    PutOnClipboard(clipboard, CopySelected(editor));
    DeleteSelected(editor);
  });
}

void PasteItemsCommand(EditorSession& editor, Clipboard& clipboard, const Asking& ask) {
  bool pasted = true;
  UnlessOutOfMemory(ask, QStringLiteral("Paste"), [&] {
    // Text from any program: what the reader does not take whole is ignored
    // without a word, as is a clipboard without items.
    const std::optional<TWKFILE> items = ItemsFromClipboardText(clipboard.Get(kItemsMimeType));
    if (items) pasted = PasteItems(editor, items->CData);
  });
  if (pasted) return;
  ask.dialogs.ShowMessage(ask.owner, QStringLiteral("Paste"),
                          QStringLiteral("Can't paste: the drawing would hold more than ") +
                              QString::number(kDocumentItemCeiling) + QStringLiteral(" items."),
                          MessageIcon::kError);
}

}  // namespace twk
