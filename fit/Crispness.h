#pragma once
// The crispness figure M of a picture: how much half-tone lies on the
// straight horizontal and vertical edges of the drawing. 0 means every
// such edge falls between pixels; a 1-unit outline half a pixel off scores
// about 50.

#include <optional>

#include "document/Document.h"
#include "fit/FitToPixels.h"
#include "render/Image.h"

namespace twk {

// Sums that pool over several pictures: the half-tone weight of the edge
// pixels and how many edge pixels were looked at.
struct Crispness {
  double halfTone = 0;
  long long edgePixels = 0;

  // 100 x halfTone / edgePixels; 0 when there is no straight edge.
  double M() const { return edgePixels > 0 ? 100.0 * halfTone / static_cast<double>(edgePixels) : 0.0; }
  Crispness& operator+=(const Crispness& o) {
    halfTone += o.halfTone;
    edgePixels += o.edgePixels;
    return *this;
  }
};

// The figure of `picture`, the full 16 x 16 units of `painted` rendered at
// picture.width() pixels. Each straight edge of a line, box outline, box
// fill or flat line end adds, at every pixel along it but the first and last
// one, two pixels: the first one on its painted side (the one it lies in
// when it falls inside a pixel) and its neighbour outside; a
// pixel's half-tone weight is min(1, 2d) for d its largest channel distance
// (premultiplied, 0..1) from the nearest pure colour (transparent, or an
// item's colour at its opacity), 0 when d is below 8/255.
// Only the part of each edge on the picture is walked.
Crispness MeasureCrispness(const TWKFILE& painted, const Image& picture);
// The same, giving up with nothing once `stop` says so.
std::optional<Crispness> MeasureCrispness(const TWKFILE& painted, const Image& picture, const StopCheck& stop);

// Renders the export's picture of `doc` at `edge` pixels (fitted first when
// `fit`) and measures it; nothing when the picture cannot be made or `stop`
// gave the work up.
std::optional<Crispness> CrispnessAt(const TWKFILE& doc, int edge, bool fit, const StopCheck& stop = {});

}  // namespace twk
