// Snapping, per axis, in order: stems, circles, open arcs meeting other
// items, then line ends and fill edges. Results are pixel positions.
#include <cmath>

#include "fit/FitModel.h"

namespace twk::fit {
namespace {

void PutCentre(Stem& st, double c2) {
  st.a2 = c2 - st.W / 2.0;
  st.b2 = c2 + st.W / 2.0;
}

bool Whole(double px) { return std::fabs(px - std::round(px)) < 1e-9; }

// The free centre of a stem: on whole pixels for an even width, on half
// pixels for an odd one.
double FreeCentre(const Model& m, const Stem& st) {
  return m.Round(st.c * m.s, st.W % 2 != 0, m.Mirrored(st.axis, st.c, kStemCentre, st.W));
}

// The stems of a shape on one axis: low side first.
Stem* StemOf(Model& m, const Shape& sh, int axis, int side) {
  for (int k = sh.firstStem; k < sh.firstStem + sh.stemCount; ++k) {
    Stem& st = m.stems[static_cast<std::size_t>(k)];
    if (st.axis == axis && st.side == side) return &st;
  }
  return nullptr;
}

bool IsCircle(const Shape& sh) {
  return sh.item->Type == kEllipse && Same(std::fabs(sh.x[3] - sh.x[0]), std::fabs(sh.y[3] - sh.y[0]));
}

}  // namespace

void SnapStems(Model& m) {
  const double middle = m.edge / 2.0;
  for (std::size_t k = 0; k < m.stems.size(); ++k) {
    if (m.GiveUp(k)) return;
    Stem& st = m.stems[k];
    if (!st.isVirtual) {
      const int na = m.SharedCount(st.axis, st.a, st.shape), nb = m.SharedCount(st.axis, st.b, st.shape);
      if (na > 0 || nb > 0) {
        // The edge shared more wins; else the outer one; else the low one.
        const bool outerB = std::fabs(st.b * m.s - middle) > std::fabs(st.a * m.s - middle) + 1e-9;
        st.anchor = na > nb ? 1 : nb > na ? 2 : outerB ? 2 : 1;
      }
    }
    if (st.anchor == 1) {
      st.a2 = m.Round(st.a * m.s, false, m.Mirrored(st.axis, st.a, kStemLowEdge));
      st.b2 = st.a2 + st.W;
    } else if (st.anchor == 2) {
      st.b2 = m.Round(st.b * m.s, false, m.Mirrored(st.axis, st.b, kStemHighEdge));
      st.a2 = st.b2 - st.W;
    } else {
      PutCentre(st, FreeCentre(m, st));
    }
  }
}

void KeepCirclesRound(Model& m) {
  for (std::size_t k = 0; k < m.shapes.size(); ++k) {
    if (m.GiveUp(k)) return;
    const Shape& sh = m.shapes[k];
    if (!sh.fitted || !sh.stroked || sh.stemCount != 4 || !IsCircle(sh)) continue;
    Stem* x0 = StemOf(m, sh, 0, 0);
    Stem* x1 = StemOf(m, sh, 0, 1);
    Stem* y0 = StemOf(m, sh, 1, 0);
    Stem* y1 = StemOf(m, sh, 1, 1);
    const bool xReal = !x0->isVirtual && !x1->isVirtual, yReal = !y0->isVirtual && !y1->isVirtual;
    if (!xReal && !yReal) continue;
    Stem* p = xReal ? y0 : x0;  // the other axis
    Stem* q = xReal ? y1 : x1;
    const double d = xReal ? x1->Centre2() - x0->Centre2() : y1->Centre2() - y0->Centre2();
    if (std::fabs(q->Centre2() - p->Centre2() - d) < 1e-9) continue;
    if (p->anchor && q->anchor) continue;
    if (p->anchor || (q->isVirtual && !p->isVirtual)) {
      PutCentre(*q, p->Centre2() + d);
    } else if (q->anchor || (p->isVirtual && !q->isVirtual)) {
      PutCentre(*p, q->Centre2() - d);
    } else {
      PutCentre(*p, FreeCentre(m, *p));
      PutCentre(*q, p->Centre2() + d);
    }
  }
}

void MeetArcEnds(Model& m) {
  for (std::size_t k = 0; k < m.caps.size(); ++k) {
    if (m.GiveUp(k)) return;
    const ArcCap& cap = m.caps[k];
    if (m.SharedCount(cap.axis, cap.Value(), cap.shape) == 0) continue;
    const Shape& sh = m.shapes[static_cast<std::size_t>(cap.shape)];
    Stem* lo = StemOf(m, sh, cap.axis, 0);
    Stem* hi = StemOf(m, sh, cap.axis, 1);
    if (lo->isVirtual == hi->isVirtual) continue;
    Stem* real = lo->isVirtual ? hi : lo;
    Stem* virt = lo->isVirtual ? lo : hi;
    const double c2 = m.Round(cap.Value() * m.s, false, false) - cap.k * (cap.e > 0 ? sh.W / 2.0 : 0);
    PutCentre(*virt, 2 * c2 - real->Centre2());
  }
}

namespace {

// A fill edge on the centre line of a stroke stays with that stroke.
bool OnStroke(const Model& m, const Edge& e, double& v2) {
  // The edge is a mark itself, so what lies around it is known.
  const Around* near = m.AroundValue(e.axis, e.v);
  if (!near || near->widestStem < 0) return false;
  const double c2 = m.stems[static_cast<std::size_t>(near->widestStem)].Centre2();
  v2 = Whole(c2) ? c2 : e.high ? c2 - 0.5 : c2 + 0.5;
  return true;
}

double SnapEdge(const Model& m, const Edge& e) {
  double v2 = 0;
  if (e.fill && OnStroke(m, e, v2)) return v2;
  const MirrorKind kind = e.fill ? (e.high ? kFillHigh : kFillLow) : (e.high ? kLineHighEnd : kLineLowEnd);
  return m.Round(e.v * m.s, false, m.Mirrored(e.axis, e.v, kind));
}

}  // namespace

void SnapEdges(Model& m) {
  for (std::size_t k = 0; k < m.edges.size(); ++k) {
    if (m.GiveUp(k)) return;
    m.edges[k].v2 = SnapEdge(m, m.edges[k]);
  }
  // Fills, per item and axis: a fill circle stays round, and no fill
  // vanishes.
  for (std::size_t k = 0; k < m.shapes.size(); ++k) {
    if (m.GiveUp(k)) return;
    const Shape& sh = m.shapes[k];
    if (!sh.fitted || sh.stroked || sh.edgeCount != 4) continue;
    Edge* e = &m.edges[static_cast<std::size_t>(sh.firstEdge)];  // x lo, x hi, y lo, y hi
    if (IsCircle(sh)) {
      const double d = e[1].v2 - e[0].v2;
      e[2].v2 = m.Round(sh.y[0] * m.s - d / 2, false, m.Mirrored(1, e[2].v, kFillLow));
      e[3].v2 = e[2].v2 + d;
    }
    for (int axis = 0; axis < 2; ++axis) {
      Edge& lo = e[2 * axis];
      Edge& hi = e[2 * axis + 1];
      if (hi.v2 - lo.v2 >= 1) continue;
      lo.v2 = std::floor((lo.v + hi.v) / 2 * m.s);
      hi.v2 = lo.v2 + 1;
    }
  }
}

}  // namespace twk::fit
