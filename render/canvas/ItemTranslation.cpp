#include "render/canvas/ItemTranslation.h"

namespace twk {

namespace {

// Whether `now` is `was` moved by (dx, dy): every field compared, the
// points after the float sums a move makes, so that a point that rounded on
// its way is still told apart from one moved by another amount.
bool Moved(const TWKDATA& was, const TWKDATA& now, float dx, float dy) {
  TWKDATA moved = was;
  moved.X1 += dx, moved.Y1 += dy, moved.X3 += dx, moved.Y3 += dy, moved.X4 += dx, moved.Y4 += dy;
  // An ellipse keeps its arc angles in X2, Y2.
  if (was.Type != kEllipse) moved.X2 += dx, moved.Y2 += dy;
  return moved == now;
}

}  // namespace

bool TranslationOf(const std::vector<TWKDATA>& before, const TWKFILE& after, float& dx, float& dy) {
  if (before.empty() || static_cast<int>(before.size()) != after.CData.size()) return false;
  // The amount is read off the first item; every item must agree with it.
  const TWKDATA& first = *after.CData.at(0);
  dx = first.X1 - before.front().X1;
  dy = first.Y1 - before.front().Y1;
  for (int i = 0; i < after.CData.size(); ++i) {
    if (!Moved(before[i], *after.CData.at(i), dx, dy)) return false;
  }
  return true;
}

}  // namespace twk
