// The features of the items taking part, per axis: stems, line ends, fill
// edges and the cap edges of open arcs; and the questions the snapping asks
// of them (is an edge shared, is a value mirrored, where does it round to).
#include <algorithm>
#include <cmath>

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
    const Shape& sh = m.shapes[n];
    const int i = static_cast<int>(n);
    if (!sh.fitted) continue;
    m.shapes[n].firstStem = static_cast<int>(m.stems.size());
    m.shapes[n].firstEdge = static_cast<int>(m.edges.size());
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
  }
  m.Index();
}

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
  for (auto& list : marks)
    std::sort(list.begin(), list.end(), [](const Mark& p, const Mark& q) { return p.v < q.v; });
}

std::pair<const Mark*, const Mark*> Model::MarksAt(int axis, double v) const {
  const std::vector<Mark>& list = marks[axis];
  const auto from = std::lower_bound(list.begin(), list.end(), v - 1e-4,
                                     [](const Mark& p, double at) { return p.v <= at; });
  auto to = from;
  while (to != list.end() && to->v < v + 1e-4) ++to;
  return {list.data() + (from - list.begin()), list.data() + (to - list.begin())};
}

int Model::SharedCount(int axis, double v, int shape) const {
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
  const auto [from, to] = MarksAt(axis, 16 - v);
  for (const Mark* p = from; p != to; ++p) {
    if (p->kind != kOpposite[kind]) continue;
    if (kind != kStemCentre || stems[static_cast<std::size_t>(p->stem)].W == W) return true;
  }
  return false;
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
