#include "geometry/DotPattern.h"

#include <algorithm>
#include <cmath>

namespace twk {

namespace {

// A figure as a chain of points with the closing edge written out.
struct Chain {
  std::vector<Point> pts;
  std::vector<double> at;  // distance along the chain of each point
  double length = 0;
};

Chain MakeChain(const Polyline& line) {
  Chain c;
  c.pts = line.points;
  if (line.closed && !c.pts.empty()) c.pts.push_back(c.pts.front());
  c.at.resize(c.pts.size(), 0.0);
  for (std::size_t i = 1; i < c.pts.size(); ++i) {
    c.length += std::hypot(c.pts[i].x - c.pts[i - 1].x, c.pts[i].y - c.pts[i - 1].y);
    c.at[i] = c.length;
  }
  return c;
}

Point Lerp(const Point& a, const Point& b, double t) { return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t}; }

// Index of the segment holding distance s (the first segment ending at or after s).
std::size_t SegmentAt(const Chain& c, double s, std::size_t from) {
  std::size_t i = std::max<std::size_t>(from, 1);
  while (i + 1 < c.pts.size() && c.at[i] < s) ++i;
  return i;
}

Point PointAt(const Chain& c, double s, std::size_t seg) {
  const double len = c.at[seg] - c.at[seg - 1];
  const double t = len > 0 ? (s - c.at[seg - 1]) / len : 0.0;
  return Lerp(c.pts[seg - 1], c.pts[seg], std::clamp(t, 0.0, 1.0));
}

// The piece of the chain between distances a <= b.
void AppendPiece(const Chain& c, double a, double b, std::vector<Point>& out, std::size_t& hint) {
  const std::size_t sa = SegmentAt(c, a, hint);
  hint = sa;
  const std::size_t sb = SegmentAt(c, b, sa);
  if (out.empty()) out.push_back(PointAt(c, a, sa));
  for (std::size_t i = sa; i < sb; ++i) out.push_back(c.pts[i]);
  out.push_back(PointAt(c, b, sb));
}

// Unit direction of the first (or last) segment of non-zero length; +x when none.
Point EndDirection(const Chain& c, bool atEnd) {
  const std::size_t n = c.pts.size();
  for (std::size_t k = 1; k < n; ++k) {
    const Point& p = atEnd ? c.pts[n - k] : c.pts[k - 1];
    const Point& q = atEnd ? c.pts[n - k - 1] : c.pts[k];
    const double len = std::hypot(q.x - p.x, q.y - p.y);
    if (len > 0) return {(p.x - q.x) / len, (p.y - q.y) / len};  // pointing outward
  }
  return {atEnd ? 1.0 : -1.0, 0.0};
}

void DashFigure(const Chain& c, double dash, double period, bool extendEnds, bool closed,
                std::vector<Polyline>& out) {
  const double half = dash / 2;
  const double len = c.length;
  std::vector<std::pair<double, double>> spans;
  for (double centre = 0; centre - half <= len; centre += period) {
    spans.emplace_back(std::max(0.0, centre - half), std::min(len, centre + half));
  }
  if (closed && len > 0) {
    // The first dash is centred on the start, so its first half lies at the
    // very end of the loop; it joins whatever dash reaches the end there.
    const double tail = std::max(0.0, len - half);
    if (!spans.empty() && spans.back().second >= tail) {
      spans.back().first = std::min(spans.back().first, tail);
      spans.back().second = len;
    } else {
      spans.emplace_back(tail, len);
    }
  }
  const std::size_t first = out.size();
  std::size_t hint = 1;
  for (const auto& [a, b] : spans) {
    Polyline piece;
    if (a < c.at[hint - 1]) hint = 1;  // the loop's tail span may start before the last one
    AppendPiece(c, a, b, piece.points, hint);
    out.push_back(std::move(piece));
  }
  if (closed && len > 0 && out.size() - first > 1 && spans.back().second >= len && spans.front().first <= 0) {
    // Run the last piece on into the first one through the start corner.
    Polyline& last = out.back();
    Polyline& head = out[first];
    last.points.insert(last.points.end(), head.points.begin() + 1, head.points.end());
    head = std::move(last);
    out.pop_back();
  }
  if (!extendEnds || closed || out.size() == first) return;
  const Point d0 = EndDirection(c, false);
  Polyline& head = out[first];
  head.points.insert(head.points.begin(), Point{head.points.front().x + d0.x * half,
                                                head.points.front().y + d0.y * half});
  if (spans.back().second >= len) {
    const Point d1 = EndDirection(c, true);
    Polyline& tail = out.back();
    tail.points.push_back({tail.points.back().x + d1.x * half, tail.points.back().y + d1.y * half});
  }
}

}  // namespace

double PolylineLength(const Polyline& line) { return MakeChain(line).length; }

std::vector<Point> DotCentres(const std::vector<Polyline>& figures, double step) {
  std::vector<Point> centres;
  for (const Polyline& figure : figures) {
    const Chain c = MakeChain(figure);
    if (c.pts.empty()) continue;
    if (c.pts.size() == 1 || !(step > 0)) {
      centres.push_back(c.pts.front());
      continue;
    }
    // On a closed figure the dot at the full length would sit on the start dot.
    const double limit = figure.closed ? c.length - step * 1e-6 : c.length + step * 1e-9;
    std::size_t seg = 1;
    for (double s = 0; s <= limit; s += step) {
      seg = SegmentAt(c, s, seg);
      centres.push_back(PointAt(c, s, seg));
    }
  }
  return centres;
}

namespace {

Point Mapped(const DotView& v, const Point& p) { return {v.xx * p.x + v.xy * p.y + v.x0, v.yx * p.x + v.yy * p.y + v.y0}; }

// The part [t0, t1] of the segment a-b whose image lies in the view's
// rectangle (Liang-Barsky); false when none does.
bool SeenPart(const DotView& v, const Point& a, const Point& b, double& t0, double& t1) {
  const Point p = Mapped(v, a), q = Mapped(v, b);
  const double dx = q.x - p.x, dy = q.y - p.y;
  t0 = 0, t1 = 1;
  const double edges[4][2] = {{-dx, p.x - v.left}, {dx, v.right - p.x}, {-dy, p.y - v.top}, {dy, v.bottom - p.y}};
  for (const auto& [towards, room] : edges) {
    if (towards == 0) {
      if (room < 0) return false;
      continue;
    }
    const double t = room / towards;
    if (towards < 0) t0 = std::max(t0, t);
    else t1 = std::min(t1, t);
  }
  return t0 <= t1;
}

}  // namespace

std::vector<Point> DotCentres(const std::vector<Polyline>& figures, double step, const DotView& view) {
  std::vector<Point> centres;
  for (const Polyline& figure : figures) {
    const Chain c = MakeChain(figure);
    if (c.pts.empty()) continue;
    double t0 = 0, t1 = 1;
    if (c.pts.size() == 1 || !(step > 0)) {
      if (SeenPart(view, c.pts.front(), c.pts.front(), t0, t1)) centres.push_back(c.pts.front());
      continue;
    }
    const double limit = figure.closed ? c.length - step * 1e-6 : c.length + step * 1e-9;
    const std::size_t last = c.pts.size() - 1;
    for (std::size_t seg = 1; seg <= last; ++seg) {
      if (!SeenPart(view, c.pts[seg - 1], c.pts[seg], t0, t1)) continue;
      // Dots at k * step from the start: those from this segment's start up
      // to (not including) its end, the last segment's end included; of
      // those, the ones in the part seen, with a step's slack either side.
      const double a = c.at[seg - 1], length = c.at[seg] - a;
      const double from = std::max(a, a + t0 * length - step), to = a + t1 * length + step;
      const double end = seg == last ? limit : std::min(limit, c.at[seg]);
      for (double k = std::ceil(from / step);; ++k) {
        const double s = k * step;
        if (s > to || (seg == last ? !(s <= end) : !(s < end))) break;
        centres.push_back(PointAt(c, s, seg));
      }
    }
  }
  return centres;
}

std::vector<Polyline> DashPieces(const std::vector<Polyline>& figures, double dash, double period,
                                 bool extendEnds) {
  std::vector<Polyline> pieces;
  for (const Polyline& figure : figures) {
    Chain c = MakeChain(figure);
    if (c.pts.empty()) continue;
    if (c.pts.size() == 1) {  // a lone point: a zero-length chain
      c.pts.push_back(c.pts.front());
      c.at.push_back(0.0);
    }
    DashFigure(c, dash, period, extendEnds, figure.closed, pieces);
  }
  return pieces;
}

}  // namespace twk
