#include "editor/LoadDocument.h"

#include <memory>
#include <utility>

#include "document/Labels.h"

namespace twk {

LoadDocument::LoadDocument(TWKFILE doc, std::string savePath, std::string ownFile)
    : doc_(std::move(doc)), savePath_(std::move(savePath)), ownFile_(std::move(ownFile)) {
  rows_.reserve(static_cast<std::size_t>(doc_.CData.size()));
  for (int i = 0; i < doc_.CData.size(); ++i) {
    const TWKDATA* item = doc_.CData.at(i);
    rows_.push_back(Row{TypeName(item->Type), RowState{i == 0, item->Visible != 0}});
  }
}

void LoadDocument::Swap(EditorSession& ed) {
  std::vector<Row> shown;
  shown.reserve(static_cast<std::size_t>(ed.rows().RowCount()));
  for (int row = 0; row < ed.rows().RowCount(); ++row) shown.push_back(Row{ed.rows().RowText(row), ed.rows().GetRowState(row)});
  {
    RowUpdateBatch batch(ed.rows());
    // No list event may ever see a row whose item is out of the document.
    ed.rows().RemoveAllRows();
    std::swap(ed.doc(), doc_);
    // Items live on the heap, so the swap keeps every item's address: the
    // other steps of the history still find theirs when this one reverts.
    for (int i = 0; i < ed.doc().CData.size() && i < static_cast<int>(rows_.size()); ++i)
      ed.rows().ListItem(i, rows_[static_cast<std::size_t>(i)].text, ed.doc().CData.at(i), rows_[static_cast<std::size_t>(i)].state);
  }
  rows_ = std::move(shown);
  std::swap(ed.savePath(), savePath_);
  std::swap(ed.ownFile(), ownFile_);
}

void LoadAsStep(EditorSession& ed, TWKFILE&& doc, std::string savePath, std::string ownFile) {
  RunEdit(ed, std::make_unique<LoadDocument>(std::move(doc), std::move(savePath), std::move(ownFile)));
}

void NewDrawingAsStep(EditorSession& ed) { LoadAsStep(ed, TWKFILE{}, ed.savePath()); }

}  // namespace twk
