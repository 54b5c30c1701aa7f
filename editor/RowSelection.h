#pragma once
// Which rows of the item list are selected, kept as runs of neighbouring
// rows so that a step of the history costs little however many rows it
// selects.

#include <utility>
#include <vector>

#include "editor/ItemList.h"

namespace twk {

class RowSelection {
 public:
  static RowSelection Of(const ItemList& rows);
  // Selects exactly these rows; the first gets the focus mark and is
  // scrolled into view.
  void RestoreOn(ItemList& rows) const;

  bool empty() const { return runs_.empty(); }
  bool operator==(const RowSelection&) const = default;

 private:
  std::vector<RowRun> runs_;  // first and last row of each run, in list order
};

}  // namespace twk
