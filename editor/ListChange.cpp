#include "editor/ListChange.h"

#include <algorithm>

namespace twk {

namespace {

// Past this many pieces a view does better to read every row again.
constexpr std::size_t kMostEdits = 64;

}  // namespace

void ListChange::NoteInserted(int row) {
  rows = true;
  if (!checked.empty()) {
    if (checked.first >= row) ++checked.first;
    if (checked.last >= row) ++checked.last;
  }
  if (refilled) return;
  if (!edits.empty()) {
    RowEdit& last = edits.back();
    // Any place inside or at either end of rows that just came makes them one more.
    if (last.kind == RowEdit::Kind::kInserted && row >= last.first && row <= last.first + last.count) {
      ++last.count;
      return;
    }
  }
  Add(RowEdit{RowEdit::Kind::kInserted, row, 1});
}

void ListChange::NoteRemoved(int row) {
  rows = true;
  if (!checked.empty()) {
    if (checked.last >= row) --checked.last;
    if (checked.first > row) --checked.first;
  }
  if (refilled) return;
  if (!edits.empty()) {
    RowEdit& last = edits.back();
    // The row after the run that went (same place) or the one just before it.
    if (last.kind == RowEdit::Kind::kRemoved && (row == last.first || row == last.first - 1)) {
      last.first = row;
      ++last.count;
      return;
    }
  }
  Add(RowEdit{RowEdit::Kind::kRemoved, row, 1});
}

void ListChange::Add(const RowEdit& edit) {
  if (edits.size() == kMostEdits) {
    NoteRefilled();
  } else {
    edits.push_back(edit);
  }
}

void ListChange::NoteRefilled() {
  rows = true;
  refilled = true;
  edits.clear();
  checked = RowBlock{};
}

void ListChange::NoteChecked(int row) {
  checks = true;
  if (refilled) return;
  checked = checked.empty() ? RowBlock{row, row}
                            : RowBlock{std::min(checked.first, row), std::max(checked.last, row)};
}

}  // namespace twk
