#include "app/CopyPasteCommands.h"

#include <optional>

#include "app/Clipboard.h"
#include "editor/ClipboardCommands.h"
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

}  // namespace

void CopyItemsCommand(Editor& editor, Clipboard& clipboard) {
  PutOnClipboard(clipboard, CopySelected(editor));
}

void CutItemsCommand(Editor& editor, Clipboard& clipboard) {
  PutOnClipboard(clipboard, CutSelected(editor));
}

void PasteItemsCommand(Editor& editor, Clipboard& clipboard, const Asking& ask) {
  // Text from any program: what the reader does not take whole is ignored
  // without a word, as is a clipboard without items.
  const std::optional<TWKFILE> items = ItemsFromClipboardText(clipboard.Get(kItemsMimeType));
  if (!items || PasteItems(editor, items->CData)) return;
  ask.dialogs.ShowMessage(ask.owner, QStringLiteral("Paste"),
                          QStringLiteral("Can't paste: the drawing would hold more than ") +
                              QString::number(kDocumentItemCeiling) + QStringLiteral(" items."),
                          MessageIcon::kError);
}

}  // namespace twk
