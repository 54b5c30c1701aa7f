// The features of the items taking part, per axis: stems, line ends, fill
// edges and the cap edges of open arcs; and the questions the snapping asks
// of them (is an edge shared, is a value mirrored, where does it round to).
#include <algorithm>
#include <cmath>
#include <deque>

#include "fit/FitModel.h"

namespace twk::fit {
namespace {

double CapReach(const Shape& sh) {
  const int ends = sh.item->DrawMethod2 > kRoundEnds ? int(kSquareEnds) : int(sh.item->DrawMethod2);
  return ends == kCenterEnds ? 0 : sh.w / 2;
}

void AddStem(Model& m, int shape, int axis, int side, double c, bool isVirtual) {
  const Shape& sh = m.shapes[static_cast<std::size_t>(shape)];
  Stem st;
  st.shape = shape, st.axis = axis, st.side = side, st.c = c;
  st.a = c - sh.w / 2, st.b = c + sh.w / 2, st.W = sh.W, st.isVirtual = isVirtual;
  m.stems.push_back(st);
}

void AddEdges(Model& m, int shape, int axis, double lo, double hi, bool fill, bool loPassed = true,
              bool hiPassed = true) {
  m.edges.push_back({shape, axis, false, fill, loPassed, lo, 0});
  m.edges.push_back({shape, axis, true, fill, hiPassed, hi, 0});
}

void LineFeatures(Model& m, int i, const Shape& sh) {
  const bool flatY = Same(sh.y[0], sh.y[3]), flatX = Same(sh.x[0], sh.x[3]);
  if (flatY == flatX) return;  // diagonal or of no length
  const int across = flatY ? 1 : 0;
  const double* along = flatY ? sh.x : sh.y;
  const double* cross = flatY ? sh.y : sh.x;
  AddStem(m, i, across, 0, (cross[0] + cross[3]) / 2, false);
  const double e = CapReach(sh);
  AddEdges(m, i, 1 - across, std::min(along[0], along[3]) - e, std::max(along[0], along[3]) + e, false);
}

void EllipseFeatures(Model& m, int i, const Shape& sh) {
  const double cx = sh.x[0], cy = sh.y[0];
  const double rx = std::fabs(sh.x[3] - cx), ry = std::fabs(sh.y[3] - cy);
  if (!(rx > 0 && ry > 0)) return;
  if (!sh.stroked) {
    AddEdges(m, i, 0, cx - rx, cx + rx, true, ArcPasses(sh, 180), ArcPasses(sh, 0));
    AddEdges(m, i, 1, cy - ry, cy + ry, true, ArcPasses(sh, 270), ArcPasses(sh, 90));
    return;
  }
  AddStem(m, i, 0, 0, cx - rx, !ArcPasses(sh, 180));
  AddStem(m, i, 0, 1, cx + rx, !ArcPasses(sh, 0));
  AddStem(m, i, 1, 0, cy - ry, !ArcPasses(sh, 270));
  AddStem(m, i, 1, 1, cy + ry, !ArcPasses(sh, 90));
  if (ArcClosed(sh)) return;
  // An open arc starting or ending on a centre line: its cap edge there.
  const double e = CapReach(sh);
  for (const int end : {0, 1}) {
    double t = std::fmod(end ? sh.y[1] : sh.x[1], 360.0);
    if (t < 0) t += 360;
    for (const int k : {0, 90, 180, 270, 360}) {
      if (std::fabs(t - k) >= 1e-4) continue;
      constexpr double kPi = 3.14159265358979323846;
      const bool onY = k % 180 == 0;  // ends on y = cy, its tangent vertical
      const double along = onY ? std::cos(k * kPi / 180) : -std::sin(k * kPi / 180);
      const int sign = (along > 0 ? 1 : -1) * (end ? 1 : -1);
      m.caps.push_back({i, onY ? 1 : 0, onY ? cy : cx, e, sign});
    }
  }
}

}  // namespace

void CollectFeatures(Model& m) {
  for (std::size_t n = 0; n < m.shapes.size(); ++n) {
    if (m.GiveUp(n)) return;
    const Shape& sh = m.shapes[n];
    const int i = static_cast<int>(n);
    if (!sh.fitted) continue;
    m.shapes[n].firstStem = static_cast<int>(m.stems.size());
    m.shapes[n].firstEdge = static_cast<int>(m.edges.size());
    m.shapes[n].firstCap = static_cast<int>(m.caps.size());
    switch (sh.item->Type) {
      case kLine: LineFeatures(m, i, sh); break;
      case kRect: {
        const double l = std::min(sh.x[0], sh.x[3]), r = std::max(sh.x[0], sh.x[3]);
        const double t = std::min(sh.y[0], sh.y[3]), b = std::max(sh.y[0], sh.y[3]);
        if (sh.stroked) {
          AddStem(m, i, 0, 0, l, false), AddStem(m, i, 0, 1, r, false);
          AddStem(m, i, 1, 0, t, false), AddStem(m, i, 1, 1, b, false);
        } else {
          AddEdges(m, i, 0, l, r, true), AddEdges(m, i, 1, t, b, true);
        }
        break;
      }
      case kEllipse: EllipseFeatures(m, i, sh); break;
      default: break;
    }
    m.shapes[n].stemCount = static_cast<int>(m.stems.size()) - m.shapes[n].firstStem;
    m.shapes[n].edgeCount = static_cast<int>(m.edges.size()) - m.shapes[n].firstEdge;
    m.shapes[n].capCount = static_cast<int>(m.caps.size()) - m.shapes[n].firstCap;
  }
  m.Index();
}

namespace {

// The first value of `list` within Same of `v`, or list.end().
template <typename List, typename Key>
auto FirstWithin(const List& list, double v, Key key) {
  return std::lower_bound(list.begin(), list.end(), v - 1e-4,
                          [&key](const auto& p, double at) { return key(p) <= at; });
}

// Works out `around` for every mark of one axis in one pass: the marks
// within Same of a value are a window that only moves forward as the value
// grows, so each mark enters and leaves it once.
void FillAround(const std::vector<Mark>& list, const std::vector<Stem>& stems, std::size_t shapes,
                std::vector<Around>& out) {
  out.assign(list.size(), {});
  std::vector<int> inside(shapes, 0);  // shareable marks of each item in the window
  int sharers = 0;
  // Real stem centres in the window, widest first; of equal widths the
  // first one stays, later ones go.
  std::deque<std::size_t> widest;
  const auto widthOf = [&](std::size_t k) { return stems[static_cast<std::size_t>(list[k].stem)].W; };
  const auto isRealCentre = [&](std::size_t k) {
    return list[k].kind == kStemCentre && !stems[static_cast<std::size_t>(list[k].stem)].isVirtual;
  };
  std::size_t lo = 0, hi = 0;
  for (std::size_t j = 0; j < list.size(); ++j) {
    const double v = list[j].v;
    if (j > 0 && list[j - 1].v == v) {
      out[j] = out[j - 1];
      continue;
    }
    for (; hi < list.size() && list[hi].v < v + 1e-4; ++hi) {
      if (list[hi].shareable && inside[static_cast<std::size_t>(list[hi].shape)]++ == 0) ++sharers;
      if (!isRealCentre(hi)) continue;
      while (!widest.empty() && widthOf(widest.back()) < widthOf(hi)) widest.pop_back();
      widest.push_back(hi);
    }
    for (; lo < hi && list[lo].v <= v - 1e-4; ++lo) {
      if (list[lo].shareable && --inside[static_cast<std::size_t>(list[lo].shape)] == 0) --sharers;
      if (!widest.empty() && widest.front() == lo) widest.pop_front();
    }
    out[j].sharers = sharers;
    out[j].widestStem = widest.empty() ? -1 : list[widest.front()].stem;
  }
}

}  // namespace

void Model::Index() {
  for (auto& list : marks) list.clear();
  for (std::size_t k = 0; k < stems.size(); ++k) {
    const Stem& st = stems[k];
    const int ref = static_cast<int>(k);
    marks[st.axis].push_back({st.a, st.shape, kStemLowEdge, !st.isVirtual, ref});
    marks[st.axis].push_back({st.b, st.shape, kStemHighEdge, !st.isVirtual, ref});
    marks[st.axis].push_back({st.c, st.shape, kStemCentre, false, ref});
  }
  for (const Edge& e : edges) {
    const MirrorKind kind = e.fill ? (e.high ? kFillHigh : kFillLow) : (e.high ? kLineHighEnd : kLineLowEnd);
    marks[e.axis].push_back({e.v, e.shape, kind, e.passed, -1});
  }
  for (const ArcCap& cap : caps) marks[cap.axis].push_back({cap.Value(), cap.shape, kCapEdge, true, -1});
  for (int axis = 0; axis < 2; ++axis) {
    if (GiveUp()) return;
    std::vector<Mark>& list = marks[axis];
    // Stable: of equal values the features keep the order they were found in.
    std::stable_sort(list.begin(), list.end(), [](const Mark& p, const Mark& q) { return p.v < q.v; });
    FillAround(list, stems, shapes.size(), around[axis]);
    for (auto& values : kinds[axis]) values.clear();
    centres[axis].clear();
    for (const Mark& p : list) {
      if (p.kind == kStemCentre) centres[axis].push_back({stems[static_cast<std::size_t>(p.stem)].W, p.v});
      else if (p.kind != kCapEdge) kinds[axis][p.kind].push_back(p.v);
    }
    std::sort(centres[axis].begin(), centres[axis].end());
  }
}

std::pair<const Mark*, const Mark*> Model::MarksAt(int axis, double v) const {
  const std::vector<Mark>& list = marks[axis];
  const auto from = FirstWithin(list, v, [](const Mark& p) { return p.v; });
  auto to = from;
  while (to != list.end() && to->v < v + 1e-4) ++to;
  return {list.data() + (from - list.begin()), list.data() + (to - list.begin())};
}

const Around* Model::AroundValue(int axis, double v) const {
  const std::vector<Mark>& list = marks[axis];
  const auto at = std::lower_bound(list.begin(), list.end(), v, [](const Mark& p, double x) { return p.v < x; });
  if (at == list.end() || at->v != v) return nullptr;
  return &around[axis][static_cast<std::size_t>(at - list.begin())];
}

int Model::SharedCount(int axis, double v, int shape) const {
  const auto within = [v](double x) { return v - 1e-4 < x && x < v + 1e-4; };
  if (const Around* near = AroundValue(axis, v)) {
    // The items there, less `shape` itself when one of its own edges is.
    const Shape& sh = shapes[static_cast<std::size_t>(shape)];
    bool own = false;
    for (int k = sh.firstStem; k < sh.firstStem + sh.stemCount && !own; ++k) {
      const Stem& st = stems[static_cast<std::size_t>(k)];
      own = st.axis == axis && !st.isVirtual && (within(st.a) || within(st.b));
    }
    for (int k = sh.firstEdge; k < sh.firstEdge + sh.edgeCount && !own; ++k) {
      const Edge& e = edges[static_cast<std::size_t>(k)];
      own = e.axis == axis && e.passed && within(e.v);
    }
    for (int k = sh.firstCap; k < sh.firstCap + sh.capCount && !own; ++k) {
      const ArcCap& cap = caps[static_cast<std::size_t>(k)];
      own = cap.axis == axis && within(cap.Value());
    }
    return near->sharers - (own ? 1 : 0);
  }
  // A value no feature has: counted by hand.
  std::vector<int> others;
  const auto [from, to] = MarksAt(axis, v);
  for (const Mark* p = from; p != to; ++p) {
    if (p->shareable && p->shape != shape && std::find(others.begin(), others.end(), p->shape) == others.end())
      others.push_back(p->shape);
  }
  return static_cast<int>(others.size());
}

bool Model::Mirrored(int axis, double v, int kind, int W) const {
  static constexpr MirrorKind kOpposite[] = {kStemHighEdge, kStemLowEdge, kStemCentre, kLineHighEnd,
                                             kLineLowEnd,   kFillHigh,    kFillLow,    kCapEdge};
  if (Same(v, 8) || kind == kCapEdge) return false;
  const double u = 16 - v;
  if (kind == kStemCentre) {
    const std::vector<std::pair<int, double>>& list = centres[axis];
    const auto at = std::lower_bound(list.begin(), list.end(), u - 1e-4, [W](const auto& p, double x) {
      return p.first < W || (p.first == W && p.second <= x);
    });
    return at != list.end() && at->first == W && at->second < u + 1e-4;
  }
  const std::vector<double>& list = kinds[axis][kOpposite[kind]];
  const auto at = FirstWithin(list, u, [](double x) { return x; });
  return at != list.end() && *at < u + 1e-4;
}

double Model::Round(double px, bool half, bool mirrored) const {
  const double offset = half ? 0.5 : 0;
  const double f = std::floor(px - offset);
  const double d = px - offset - f;
  const double lo = f + offset, hi = f + 1 + offset;
  if (std::fabs(d - 0.5) < 1e-9) {
    if (!mirrored) return hi;
    const double centre = edge / 2.0;
    return std::fabs(lo - centre) < std::fabs(hi - centre) ? lo : hi;
  }
  return d < 0.5 ? lo : hi;
}

}  // namespace twk::fit
