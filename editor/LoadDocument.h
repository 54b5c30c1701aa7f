#pragma once
// A load as one step of the history: the document that was there, its rows
// with their check marks and selection, and the path Save proposed stay in
// the step, so undo brings them back and redo puts the loaded document back
// without reading the file again. Nothing is freed while the history may
// still refer to it: the items leave with their step.

#include <string>
#include <vector>

#include "editor/EditCommand.h"

namespace twk {

class LoadDocument : public EditCommand {
 public:
  // `doc` is the document the load brings and `savePath` the path Save then
  // proposes. Its rows are listed as a load lists them: in document order,
  // visible items checked, row 0 alone selected.
  LoadDocument(TWKFILE doc, std::string savePath);

  void Apply(EditorSession& ed) override { Swap(ed); }
  void Revert(EditorSession& ed) override { Swap(ed); }
  // Everything the picture shows, the size included.
  unsigned Changes() const override { return DocumentChange::kPicture; }

 private:
  struct Row {
    std::string text;
    RowState state;
  };
  void Swap(EditorSession& ed);

  // The document not in place now, with its rows and save path.
  TWKFILE doc_;
  std::vector<Row> rows_;
  std::string savePath_;
};

// Puts `doc` in place of the whole document as one step of the history (a
// load, a failed load's empty document, a restored copy): the new size and
// the change are reported once each.
void LoadAsStep(EditorSession& ed, TWKFILE&& doc, std::string savePath);

}  // namespace twk
