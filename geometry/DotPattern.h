#pragma once
// The dotted-outline pattern, computed on flattened figures: where the dots
// (round style) or dashes (square and center styles) lie along each figure.

#include <vector>

#include "geometry/EllipseArc.h"

namespace twk {

// Dots closer than this many pixels blend into a line: the solid equivalent
// is painted instead (it looks the same and costs one stroke).
inline constexpr double kMinDotSpacing = 1.0;
// More dots than this along one figure are painted as the solid equivalent.
inline constexpr double kMaxDots = 200000.0;

struct Polyline {
  std::vector<Point> points;
  bool closed = false;
};

// Total length of a figure, the closing edge included when it is closed.
double PolylineLength(const Polyline& line);

// Round style: the centres of the discs, one on each figure's start and then
// every `step` along it.
std::vector<Point> DotCentres(const std::vector<Polyline>& figures, double step);

// A rectangle of the picture (grown by whatever a dot reaches beyond its
// centre) and the affine map from figure coordinates onto it.
struct DotView {
  double xx = 1, yx = 0, xy = 0, yy = 1, x0 = 0, y0 = 0;
  double left = 0, top = 0, right = 0, bottom = 0;
};

// The same centres, but only those on segments whose image meets the view's
// rectangle: the dots far outside cost nothing beyond their segments, and
// those kept lie where the whole pattern puts them.
std::vector<Point> DotCentres(const std::vector<Polyline>& figures, double step, const DotView& view);

// Square and center styles: dashes of length `dash` whose centres lie
// `period` apart along each figure, the first centred on its start. Inner
// dash ends are cut square; with `extendEnds` a dash that touches an open
// figure's own end is lengthened by dash / 2 there (the square cap).
// On a closed figure the dash over the start runs on through the corner.
std::vector<Polyline> DashPieces(const std::vector<Polyline>& figures, double dash, double period,
                                 bool extendEnds);

}  // namespace twk
