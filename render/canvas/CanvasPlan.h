#pragma once
// Which items of the canvas are kept between pictures and which are painted
// again for every picture. Key commands and their undo act on the selected
// items, so those are painted each time; the unselected items behind the
// selection and the runs of unselected items in front of and between
// selected ones do not change and are kept: the run behind as one
// transparent picture, the runs in front as their items' own pictures.
//
// Every run kept in front of the deepest selected item costs a blend of
// the pixels that change, about what painting a few items there costs. So
// runs shorter than kMinKeptItems are painted with the selection, and of
// more than kMostKeptRunsInFront runs in front only the longest are kept;
// with hundreds of runs, what is painted with the selection costs about what
// the full redraw does. With no run kept in front this is the picture behind
// the selection with the pixels the changed items reach painted again; with
// nothing kept, the full redraw.

#include <utility>
#include <vector>

namespace twk {

// First and last index of CData of a run of items.
using IndexRun = std::pair<int, int>;

// What a part of the plan is, and so how the composer builds it.
enum class PartKind {
  kBehind,        // the items behind the selection: one kept picture, copied
  kKeptPictures,  // a run of unselected items in front: their own kept pictures, blended
  kRepainted,     // painted again for every picture (the selection among them)
};

struct PlanPart {
  int first = 0, last = 0;  // items of CData, painted from `last` to `first`
  PartKind kind = PartKind::kRepainted;
  bool kept() const { return kind != PartKind::kRepainted; }
  bool operator==(const PlanPart&) const = default;
};

inline constexpr int kMinKeptItems = 4;
inline constexpr int kMostKeptRunsInFront = 32;

// The parts of a canvas of `count` items, from the back (the last of CData)
// to the front, for the selected runs (in any order, overlapping allowed);
// empty when nothing is worth keeping (no selection, or every item selected).
// Only the first part may be kBehind.
std::vector<PlanPart> PlanCanvas(std::vector<IndexRun> selected, int count);

}  // namespace twk
