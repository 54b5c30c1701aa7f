// The fitted items' new points, from their snapped features; then the
// diagonal lines and curves follow the fitted values they touch.
#include <algorithm>
#include <cmath>

#include "fit/FitModel.h"

namespace twk::fit {
namespace {

// A value before and after fitting, in units, that touching points follow.
struct Follow {
  double from, to;
  std::size_t order = 0;  // the first one added wins among equal values
};

// One list of values sorted by `from`, with the smallest `order` of any run
// of it at hand: a tree of minima over the list, leaves at [n, 2n).
class FollowList {
 public:
  void Add(const Follow& f) { list_.push_back(f); }
  void Sort() {
    for (std::size_t k = 0; k < list_.size(); ++k) list_[k].order = k;
    std::sort(list_.begin(), list_.end(), [](const Follow& p, const Follow& q) { return p.from < q.from; });
    const std::size_t n = list_.size();
    least_.assign(2 * n, 0);
    for (std::size_t k = 0; k < n; ++k) least_[n + k] = k;
    for (std::size_t k = n; k-- > 1;) least_[k] = Earlier(least_[2 * k], least_[2 * k + 1]);
  }
  // The entry added first among those within Same of `v`; nullptr if none.
  const Follow* At(double v) const {
    const auto from = std::lower_bound(list_.begin(), list_.end(), v - 1e-4,
                                       [](const Follow& f, double at) { return f.from <= at; });
    const auto to = std::lower_bound(from, list_.end(), v + 1e-4,
                                     [](const Follow& f, double at) { return f.from < at; });
    if (from == to) return nullptr;
    const std::size_t n = list_.size();
    std::size_t lo = static_cast<std::size_t>(from - list_.begin()) + n, hi = static_cast<std::size_t>(to - list_.begin()) + n;
    std::size_t best = least_[lo];
    for (; lo < hi; lo /= 2, hi /= 2) {
      if (lo & 1) best = Earlier(best, least_[lo++]);
      if (hi & 1) best = Earlier(best, least_[--hi]);
    }
    return &list_[best];
  }

 private:
  std::size_t Earlier(std::size_t p, std::size_t q) const { return list_[p].order <= list_[q].order ? p : q; }
  std::vector<Follow> list_;
  std::vector<std::size_t> least_;
};

struct FollowLists {
  FollowList first[2];  // stem centres and line end points
  FollowList then[2];   // fill edges

  // Sorts every list by value for Of.
  void Sort() {
    for (auto* lists : {first, then})
      for (int axis = 0; axis < 2; ++axis) lists[axis].Sort();
  }
  // The fitted value of `v` on `axis`; `v` itself when nothing matches.
  double Of(int axis, double v) const {
    for (const FollowList* list : {&first[axis], &then[axis]})
      if (const Follow* found = list->At(v)) return found->to;
    return v;
  }
};

double* Axis(Shape& sh, int axis) { return axis == 0 ? sh.x : sh.y; }

// Puts P1 and P4 of `axis` at lo and hi, keeping which end is the smaller.
void PutEnds(Shape& sh, int axis, double lo, double hi) {
  double* v = Axis(sh, axis);
  if (v[0] <= v[3]) v[0] = lo, v[3] = hi;
  else v[0] = hi, v[3] = lo;
}

void FitLine(const Model& m, Shape& sh, FollowLists& follow) {
  const Stem& st = m.stems[static_cast<std::size_t>(sh.firstStem)];
  const Edge* e = &m.edges[static_cast<std::size_t>(sh.firstEdge)];
  const double across = st.Centre2() / m.s;
  Axis(sh, st.axis)[0] = Axis(sh, st.axis)[3] = across;
  follow.first[st.axis].Add({st.c, across});
  const bool flat = sh.item->DrawMethod2 == kCenterEnds;
  const double inset = flat ? 0 : sh.W / 2.0;
  double lo = (e[0].v2 + inset) / m.s, hi = (e[1].v2 - inset) / m.s;
  if (hi < lo) lo = hi = (lo + hi) / 2;
  const int along = 1 - st.axis;
  const double before[2] = {Axis(sh, along)[0], Axis(sh, along)[3]};
  PutEnds(sh, along, lo, hi);
  follow.first[along].Add({before[0], Axis(sh, along)[0]});
  follow.first[along].Add({before[1], Axis(sh, along)[3]});
}

// A box or an ellipse: per axis the fitted low and high sides (stroke
// centres or fill edges).
void FitFigure(const Model& m, Shape& sh, FollowLists& follow) {
  for (int axis = 0; axis < 2; ++axis) {
    double lo = 0, hi = 0;
    if (sh.stroked) {
      for (int k = sh.firstStem; k < sh.firstStem + sh.stemCount; ++k) {
        const Stem& st = m.stems[static_cast<std::size_t>(k)];
        if (st.axis != axis) continue;
        (st.side == 0 ? lo : hi) = st.Centre2() / m.s;
        if (!st.isVirtual) follow.first[axis].Add({st.c, st.Centre2() / m.s});
      }
    } else {
      const Edge* e = &m.edges[static_cast<std::size_t>(sh.firstEdge + 2 * axis)];
      lo = e[0].v2 / m.s, hi = e[1].v2 / m.s;
      for (int k = 0; k < 2; ++k)
        if (e[k].passed) follow.then[axis].Add({e[k].v, e[k].v2 / m.s});
    }
    double* v = Axis(sh, axis);
    if (sh.item->Type == kRect) {
      PutEnds(sh, axis, lo, hi);
    } else {
      const double sign = v[3] < v[0] ? -1 : 1;
      v[0] = (lo + hi) / 2;
      v[3] = v[0] + sign * (hi - lo) / 2;
    }
  }
}

// A diagonal line or a curve: the coordinates of its ends that equal a
// fitted value move with it; a curve's inner points move with their ends.
void FollowEnds(const FollowLists& follow, Shape& sh) {
  double moved[2][2] = {};  // [end][axis]
  for (int end = 0; end < 2; ++end) {
    const int i = end == 0 ? 0 : 3;
    for (int axis = 0; axis < 2; ++axis) {
      double& v = Axis(sh, axis)[i];
      const double to = follow.Of(axis, v);
      moved[end][axis] = to - v;
      v = to;
    }
  }
  if (sh.item->Type != kCurve) return;
  for (int axis = 0; axis < 2; ++axis) {
    Axis(sh, axis)[1] += moved[0][axis];
    Axis(sh, axis)[2] += moved[1][axis];
  }
}

void Store(Shape& sh) {
  TWKDATA& it = *sh.item;
  it.X1 = static_cast<float>(sh.x[0]), it.Y1 = static_cast<float>(sh.y[0]);
  it.X2 = static_cast<float>(sh.x[1]), it.Y2 = static_cast<float>(sh.y[1]);
  it.X3 = static_cast<float>(sh.x[2]), it.Y3 = static_cast<float>(sh.y[2]);
  it.X4 = static_cast<float>(sh.x[3]), it.Y4 = static_cast<float>(sh.y[3]);
}

}  // namespace

void WriteGeometry(Model& m) {
  FollowLists follow;
  for (std::size_t k = 0; k < m.shapes.size(); ++k) {
    if (m.GiveUp(k)) return;
    Shape& sh = m.shapes[k];
    if (!sh.fitted) continue;
    if (sh.item->Type == kLine && sh.stemCount == 1) FitLine(m, sh, follow);
    else if (sh.item->Type == kRect || (sh.item->Type == kEllipse && (sh.stemCount == 4 || sh.edgeCount == 4)))
      FitFigure(m, sh, follow);
  }
  follow.Sort();
  for (std::size_t k = 0; k < m.shapes.size(); ++k) {
    if (m.GiveUp(k)) return;
    Shape& sh = m.shapes[k];
    const bool loose = sh.item->Type == kCurve || (sh.item->Type == kLine && sh.stemCount == 0);
    if (loose) FollowEnds(follow, sh);
    // Lines and curves always carry their folded turn; boxes and ellipses
    // only when fitted.
    if (loose || sh.fitted || sh.item->Type <= kCurve) Store(sh);
  }
}

}  // namespace twk::fit
