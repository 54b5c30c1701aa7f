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
  // `doc` is the document the load brings, `savePath` the path Save then
  // proposes and `ownFile` its own file (empty: none). Its rows are listed
  // as a load lists them: in document order, visible items checked, row 0
  // alone selected.
  LoadDocument(TWKFILE doc, std::string savePath, std::string ownFile = {});

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

  // The document not in place now, with its rows, save path and own file.
  TWKFILE doc_;
  std::vector<Row> rows_;
  std::string savePath_;
  std::string ownFile_;
};

// Puts `doc` in place of the whole document as one step of the history (a
// load, a failed load's empty document, a restored copy): the new size and
// the change are reported once each.
void LoadAsStep(EditorSession& ed, TWKFILE&& doc, std::string savePath, std::string ownFile = {});

// A new drawing, the one every editor starts with, as one step of the
// history: Save proposes the same path as before, and it has no file of its
// own.
void NewDrawingAsStep(EditorSession& ed);

}  // namespace twk
