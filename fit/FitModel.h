#pragma once
// The working state of one fitting run: the items taking part with their
// right-angle turns folded in, and their features per axis (stems, line
// ends, fill edges, open arcs' cap edges), each with its fitted pixel
// position once snapped. Values are in units unless named px.

#include <cmath>
#include <cstddef>
#include <functional>
#include <utility>
#include <vector>

#include "document/Item.h"

namespace twk::fit {

// Two values in units are the same when closer than this.
inline bool Same(double a, double b) { return std::fabs(a - b) < 1e-4; }

struct Shape {
  TWKDATA* item = nullptr;  // in the copy being fitted
  // P1..P4 with the turn folded in. An ellipse keeps its centre in P1, its
  // start and end angles in P2 and its radius corner in P4.
  double x[4] = {}, y[4] = {};
  bool stroked = false;
  double w = 0;        // drawn width
  int W = 0;           // fitted width in whole pixels (stroked, w > 0)
  bool fitted = false; // its edges take part; otherwise left where it is
  // Its features: stems [firstStem, firstStem + stemCount), edges and
  // cap edges likewise.
  int firstStem = 0, stemCount = 0, firstEdge = 0, edgeCount = 0, firstCap = 0, capCount = 0;
};

// A stroke crossing an axis: centre c, edges a = c - w/2 and b = c + w/2.
struct Stem {
  int shape = 0, axis = 0;
  int side = 0;  // 0: the low (left, top) side of its item, 1: the high side
  double c = 0, a = 0, b = 0;
  int W = 1;
  bool isVirtual = false;  // an arc extreme the arc does not pass
  int anchor = 0;          // 0: free, 1: a, 2: b (rule of shared edges)
  double a2 = 0, b2 = 0;   // fitted edges, px
  double Centre2() const { return (a2 + b2) / 2; }
};

// A line end or a fill edge.
struct Edge {
  int shape = 0, axis = 0;
  bool high = false, fill = false;
  bool passed = true;  // ellipse fill: the arc passes this extreme
  double v = 0;
  double v2 = 0;  // fitted, px
};

// The cap edge of an open arc ending on one of its centre lines.
struct ArcCap {
  int shape = 0, axis = 0;
  double c = 0, e = 0;
  int k = 1;  // the side the cap reaches: +1 or -1
  double Value() const { return c + k * e; }
};

// Kinds the mirror test pairs, each with its opposite; kCapEdge pairs with
// nothing.
enum MirrorKind { kStemLowEdge, kStemHighEdge, kStemCentre, kLineLowEnd, kLineHighEnd, kFillLow, kFillHigh, kCapEdge };

// One feature value on an axis, for looking values up by position.
struct Mark {
  double v = 0;
  int shape = 0;
  MirrorKind kind = kCapEdge;
  bool shareable = false;  // counts as a shared edge for other items
  int stem = -1;           // the stem it belongs to, if any
};

// What lies within Same of one mark's value on its axis, worked out for
// every mark at once by Index.
struct Around {
  int sharers = 0;     // items with a shareable edge there
  int widestStem = -1; // the widest real stem centred there (the first of equals), or -1
};

struct Model {
  // Whether Prepare writes the fitted widths and folded turns into the
  // items; false only reads them (measuring a picture).
  bool write = true;
  int edge = 16;
  double s = 1;  // pixels per unit
  // Asked now and then on the way; true gives the run up (see GiveUp).
  const std::function<bool()>* stop = nullptr;
  std::vector<Shape> shapes;
  std::vector<Stem> stems;
  std::vector<Edge> edges;
  std::vector<ArcCap> caps;
  std::vector<Mark> marks[2];    // per axis, by value
  std::vector<Around> around[2]; // per axis, one for each mark
  // Per axis, the values of each kind by value, and the stem centres by
  // width, then value: the mirror test looks its opposite up in them.
  std::vector<double> kinds[2][kCapEdge];
  std::vector<std::pair<int, double>> centres[2];

  // Fills `marks`, `around` and the lookups from the features.
  void Index();
  // Whether the run is to give up: loops ask with their step `k`, and
  // `stop` is asked once every 4096 steps; once given up, it stays so.
  bool GiveUp(std::size_t k = 0) {
    if (!givenUp && stop && *stop && k % 4096 == 0) givenUp = (*stop)();
    return givenUp;
  }
  bool givenUp = false;
  // The marks on `axis` equal to `v`.
  std::pair<const Mark*, const Mark*> MarksAt(int axis, double v) const;

  // How many other items than `shape` have a shareable edge at `v`.
  int SharedCount(int axis, double v, int shape) const;
  // The `around` of the marks whose value is exactly `v`; nullptr when no
  // mark has that value.
  const Around* AroundValue(int axis, double v) const;
  // Whether `v` has its opposite feature at 16 - v (see Mirror kinds).
  bool Mirrored(int axis, double v, int kind, int W = 0) const;
  // R: the nearest whole (or half, with `half`) pixel of `px`; exact ties
  // toward the centre when `mirrored`, otherwise toward +infinity.
  double Round(double px, bool half, bool mirrored) const;
};

// Ray angles the arc of `shape` passes (0, 90, 180, 270).
bool ArcPasses(const Shape& shape, double angle);
// Whether the ellipse's start and end meet (a closed figure).
bool ArcClosed(const Shape& shape);

// Rules of the run, in order. Each one returns early once m.GiveUp().
void Prepare(Model& m, const std::vector<TWKDATA*>& items);  // turns, widths
void CollectFeatures(Model& m);
void SnapStems(Model& m);
void KeepCirclesRound(Model& m);
void MeetArcEnds(Model& m);
void SnapEdges(Model& m);
void WriteGeometry(Model& m);  // the fitted items, then what follows them

}  // namespace twk::fit
