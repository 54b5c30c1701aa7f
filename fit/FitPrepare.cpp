// Which items take part, their right-angle turns folded into their points,
// and their stroke widths made whole pixels.
#include <algorithm>
#include <cfloat>
#include <cmath>

#include "fit/FitModel.h"
#include "geometry/ItemLook.h"

namespace twk::fit {
namespace {

// Items with points farther out than this (units) are not fitted: fitting
// is for edges near the picture, and the sums on them stay far from a
// float's range. Measuring takes any finite item.
constexpr double kFarthest = 1e18;
// Strokes wider than this many pixels are not fitted: their width in whole
// pixels would leave an int, and at most one of their edges can come near
// the picture. Measuring counts them this wide.
constexpr double kWidestPx = 1 << 24;

bool InReach(const TWKDATA& it, double reach) {
  if (!std::isfinite(it.DrawAngle)) return false;
  for (const float v : {it.DrawWidth, it.X1, it.Y1, it.X2, it.Y2, it.X3, it.Y3, it.X4, it.Y4})
    if (!(std::fabs(v) <= reach)) return false;
  return true;
}

bool Is(double a, double k) { return std::fabs(a - k) < 1e-4; }

// Turns P1..P4 about the middle of P1 and P4 by `a` degrees, clockwise on
// screen; quarter turns stay exact.
void TurnPoints(Shape& sh, double a) {
  constexpr double kPi = 3.14159265358979323846;
  double cs = std::cos(a * kPi / 180), sn = std::sin(a * kPi / 180);
  if (std::fabs(cs) < 1e-12) cs = 0;
  if (std::fabs(sn) < 1e-12) sn = 0;
  const double mx = (sh.x[0] + sh.x[3]) / 2, my = (sh.y[0] + sh.y[3]) / 2;
  for (int i = 0; i < 4; ++i) {
    const double dx = sh.x[i] - mx, dy = sh.y[i] - my;
    sh.x[i] = mx + dx * cs - dy * sn;
    sh.y[i] = my + dx * sn + dy * cs;
  }
}

bool SameRemainder(double a, double b) { return std::fmod(a, 360.0) == std::fmod(b, 360.0); }

// Folds the item's turn into its points; false when the turn cannot be
// folded (a box or an ellipse at another angle than a right one).
bool FoldTurn(Shape& sh) {
  TWKDATA& it = *sh.item;
  double a = std::fmod(double(it.DrawAngle), 360.0);
  if (a < 0) a += 360;
  if (Is(a, 360)) a = 0;
  switch (it.Type) {
    case kLine:
    case kCurve: TurnPoints(sh, a); return true;
    case kRect:
      if (Is(a, 0) || Is(a, 180)) return true;
      if (Is(a, 90) || Is(a, 270)) {
        const double cx = (sh.x[0] + sh.x[3]) / 2, cy = (sh.y[0] + sh.y[3]) / 2;
        const double hx = std::fabs(sh.x[3] - sh.x[0]) / 2, hy = std::fabs(sh.y[3] - sh.y[0]) / 2;
        sh.x[0] = cx - hy, sh.x[3] = cx + hy, sh.y[0] = cy - hx, sh.y[3] = cy + hx;
        return true;
      }
      return false;
    default: {
      const double rx = std::fabs(sh.x[3] - sh.x[0]), ry = std::fabs(sh.y[3] - sh.y[0]);
      if (rx == ry && ArcClosed(sh)) return true;
      for (const int k : {0, 90, 180, 270}) {
        if (!Is(a, k)) continue;
        const double start = sh.x[1] + k, end = sh.y[1] + k;
        if (SameRemainder(start, end) != ArcClosed(sh)) return false;
        sh.x[1] = start, sh.y[1] = end;
        if (k == 90 || k == 270) {
          const double sx = sh.x[3] < sh.x[0] ? -1 : 1, sy = sh.y[3] < sh.y[0] ? -1 : 1;
          sh.x[3] = sh.x[0] + sx * ry, sh.y[3] = sh.y[0] + sy * rx;
        }
        return true;
      }
      return false;
    }
  }
}

}  // namespace

bool ArcClosed(const Shape& sh) { return SameRemainder(sh.x[1], sh.y[1]); }

bool ArcPasses(const Shape& sh, double angle) {
  if (ArcClosed(sh)) return true;
  const double start = sh.x[1], end = sh.y[1];
  const double sweep = start < end ? end - start : 360 - (start - end);
  double at = std::fmod(angle - start, 360.0);
  if (at < 0) at += 360;
  return at <= sweep;
}

void Prepare(Model& m, const std::vector<TWKDATA*>& items) {
  for (std::size_t k = 0; k < items.size(); ++k) {
    if (m.GiveUp(k)) return;
    TWKDATA* it = items[k];
    if (it->Visible == 0 || it->Type > kEllipse || !InReach(*it, m.write ? kFarthest : DBL_MAX)) continue;
    Shape sh;
    sh.item = it;
    const float xs[4] = {it->X1, it->X2, it->X3, it->X4}, ys[4] = {it->Y1, it->Y2, it->Y3, it->Y4};
    std::copy(xs, xs + 4, sh.x);
    std::copy(ys, ys + 4, sh.y);
    sh.stroked = PaintOf(*it) != ItemPaint::kFill;
    sh.w = it->DrawWidth;
    const bool tooWide = m.write && sh.stroked && sh.w * m.s > kWidestPx;
    if (sh.stroked && sh.w > 0) {
      sh.W = std::max(1, static_cast<int>(std::floor(std::min(sh.w * m.s, kWidestPx) + 0.5)));
      if (m.write && !tooWide) it->DrawWidth = static_cast<float>(sh.W / m.s);
    }
    // A stroke of no width paints nothing; its ends are no edges.
    sh.fitted = FoldTurn(sh) && (!sh.stroked || sh.w > 0) && !tooWide;
    if (m.write && (sh.fitted || it->Type <= kCurve)) it->DrawAngle = 0;
    m.shapes.push_back(sh);
  }
}

}  // namespace twk::fit
