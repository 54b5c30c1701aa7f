#pragma once
// What one report of the item list tells its views: which rows came and
// went, in the order it happened, whose check marks changed, and whether the
// selection changed. A view that keeps anything per row follows the pieces
// one by one; a list that was refilled is told as one refill.

#include <vector>

namespace twk {

// `count` neighbouring rows that came or went. `first` counts in the list as
// it stood just before this piece.
struct RowEdit {
  enum class Kind { kInserted, kRemoved };
  Kind kind = Kind::kInserted;
  int first = 0;
  int count = 0;
  bool operator==(const RowEdit&) const = default;
};

// First and last row of a block, both included; empty while first > last.
struct RowBlock {
  int first = 0;
  int last = -1;
  bool empty() const { return first > last; }
  bool operator==(const RowBlock&) const = default;
};

struct ListChange {
  bool rows = false;        // rows came, went or moved
  bool refilled = false;    // with rows: read every row again (edits is empty)
  std::vector<RowEdit> edits;  // with rows and not refilled: every piece, in order
  bool checks = false;      // check marks changed
  RowBlock checked;         // the rows, as the list ends, whose check mark may have changed
  bool selection = false;   // the selection or the focus mark changed
  int scrollTo = -1;        // a row to bring into view, or -1
  bool operator==(const ListChange&) const = default;

  // One row came at `row` / the row at `row` went; each joins the piece
  // before it when they touch, so a run of rows is one piece.
  void NoteInserted(int row);
  void NoteRemoved(int row);
  // Every row went; whatever follows is read anew.
  void NoteRefilled();
  void NoteChecked(int row);

 private:
  // A new piece, or a refill past as many as a view should follow.
  void Add(const RowEdit& edit);
};

}  // namespace twk
