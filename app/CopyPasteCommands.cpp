#include "app/CopyPasteCommands.h"

#include <optional>

#include "app/App.h"
#include "app/Clipboard.h"
#include "editor/ClipboardCommands.h"
#include "export/ItemClipboardData.h"
#include "persist/ItemClipboard.h"

namespace twk {
namespace {

// A copy of nothing (no selection, or refused) leaves the clipboard as it
// was.
void PutOnClipboard(App& app, const TWKFILE& picked) {
  if (picked.CData.empty()) return;
  app.clipboard().Put(ItemClipboardData(picked));
}

}  // namespace

void CopyItemsCommand(App& app) {
  PutOnClipboard(app, CopySelected(app.editor()));
}

void CutItemsCommand(App& app) {
  PutOnClipboard(app, CutSelected(app.editor()));
}

void PasteItemsCommand(App& app) {
  // Text from any program: what the reader does not take whole is ignored
  // without a word, as is a clipboard without items.
  const std::optional<TWKFILE> items = ItemsFromClipboardText(app.clipboard().Get(kItemsMimeType));
  if (items) PasteItems(app.editor(), items->CData);
}

}  // namespace twk
