#include "render/PaintBudget.h"

#include <algorithm>
#include <cmath>

#include "render/ChangedArea.h"

namespace twk {

namespace {

// Measured on the paint budget benchmark's families at 1024 pixels and the
// standard icons at the canvas's 320, rounded up: cairo's stroker costs per
// pixel of pen along the path, a dot per dot and per pixel of it, a fill
// per pixel of its box.
constexpr double kNsPerItem = 2000;
constexpr double kNsPerStrokePixel = 16;
constexpr double kNsPerDot = 1000;
constexpr double kNsPerDotPixel = 40;
constexpr double kNsPerFillPixel = 0.3;
// Caps each factor, so that absurd numbers give a large finite guess.
constexpr double kMostTurns = 1e6;
constexpr double kMostPathPixels = 1e9;

// How many times the figure goes round: more than one for an arc of
// several turns, one for anything else.
double Turns(const TWKDATA& item) {
  if (item.Type != kEllipse) return 1;
  const double start = item.X2, end = item.Y2;
  const double sweep = start < end ? end - start : 360 - (start - end);
  if (!std::isfinite(sweep)) return kMostTurns;
  return std::clamp(sweep / 360, 1.0, kMostTurns);
}

// The length of the figure's path in pixels, about.
double PathPixels(const TWKDATA& item, double ppuX, double ppuY, double turns) {
  const double w = std::abs(static_cast<double>(item.X4) - item.X1) * ppuX;
  const double h = std::abs(static_cast<double>(item.Y4) - item.Y1) * ppuY;
  switch (item.Type) {
    case kEllipse: return turns * 3.1416 * (w + h);
    case kRect: return 2 * (w + h);
    default: return w + h;
  }
}

}  // namespace

double GuessPaintNs(const TWKDATA& item, double pixelsPerUnitX, double pixelsPerUnitY, int width, int height) {
  if (item.Visible == 0 || item.Type > kEllipse) return 0;
  PixelArea area;
  if (!ReachedArea(item, pixelsPerUnitX, pixelsPerUnitY, width, height, area)) {
    area = {0, 0, width, height};  // cannot be told: as much as the picture
  }
  const double turns = Turns(item);
  const double path = std::min(PathPixels(item, pixelsPerUnitX, pixelsPerUnitY, turns), kMostPathPixels);
  const double pen = std::max(
      1.0, std::min(std::abs(static_cast<double>(item.DrawWidth)) * std::min(pixelsPerUnitX, pixelsPerUnitY), 1e4));
  double ns = kNsPerItem;
  if (item.DrawMethod == kDots) {
    const double spacing = item.DrawMethod2 == kRoundEnds ? 0.5 * pen : 1.5 * pen;
    ns += (path / spacing + 1) * (kNsPerDot + kNsPerDotPixel * pen * pen);
  } else if (item.DrawMethod == kFill && item.Type != kLine) {
    const double pixels = static_cast<double>(area.right - area.left) * (area.bottom - area.top);
    ns += kNsPerFillPixel * pixels * std::min(turns, 64.0);
  } else {
    ns += kNsPerStrokePixel * path * (pen + 1);
  }
  return std::isfinite(ns) ? ns : 1e18;
}

bool PaintBudget::Spend(const TWKFILE& doc, int first, int last, double pixelsPerUnitX, double pixelsPerUnitY,
                        int width, int height) {
  first = std::max(first, 0);
  last = std::min(last, doc.CData.size() - 1);
  for (int i = first; i <= last && left(); ++i) {
    left_ -= GuessPaintNs(*doc.CData.at(i), pixelsPerUnitX, pixelsPerUnitY, width, height);
  }
  return left();
}

bool PaintBudget::Spend(double ns) {
  left_ -= ns;
  return left();
}

}  // namespace twk
