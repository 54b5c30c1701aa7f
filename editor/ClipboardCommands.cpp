#include "editor/ClipboardCommands.h"

#include <vector>

#include "editor/ItemCommands.h"

namespace twk {

TWKFILE CopySelected(const EditorSession& ed) {
  TWKFILE picked;
  picked.TWKW = ed.doc().TWKW;
  picked.TWKH = ed.doc().TWKH;
  for (const TWKDATA* item : SelectedItems(ed)) picked.CData.append(*item);
  return picked;
}

bool PasteItems(EditorSession& ed, const ItemStore& items) {
  std::vector<const TWKDATA*> sources;
  sources.reserve(static_cast<std::size_t>(items.size()));
  for (int i = 0; i < items.size(); ++i) sources.push_back(items.at(i));
  return AddCopiesAtFront(ed, sources);
}

}  // namespace twk
