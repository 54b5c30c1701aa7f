#pragma once
// A cheap guess at how long painting items takes, without painting them: it
// tells a repaint that fits in one frame of the screen from one that does
// not. The guess is in proportion to what painting costs: a share per item,
// the pixels its figure reaches (once per turn of a multi-turn arc) and,
// for dots, the number of dots along its path.

#include "document/Document.h"

namespace twk {

// The guessed nanoseconds painting `item` takes on a picture `width` x
// `height` at the given pixels per unit (0 for an item not painted).
double GuessPaintNs(const TWKDATA& item, double pixelsPerUnitX, double pixelsPerUnitY, int width, int height);

class PaintBudget {
 public:
  // A frame at 60 Hz.
  static constexpr double kFrameNs = 16e6;
  explicit PaintBudget(double ns = kFrameNs) : left_(ns) {}

  // Takes the guessed time of painting items first..last of `doc` on a
  // picture `width` x `height`; false once the budget is spent (counting
  // stops there, so a long run costs no more than what fits).
  bool Spend(const TWKFILE& doc, int first, int last, double pixelsPerUnitX, double pixelsPerUnitY, int width,
             int height);
  bool Spend(double ns);
  bool left() const { return left_ >= 0; }

 private:
  double left_;
};

}  // namespace twk
