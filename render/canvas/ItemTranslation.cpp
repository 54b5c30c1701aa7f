#include "render/canvas/ItemTranslation.h"

namespace twk {

namespace {

// Whether `now` is `was` moved by (dx, dy); the sums are the float sums a
// move makes, so a point that rounded on its way is still told apart from
// one moved by another amount.
bool Moved(const TWKDATA& was, const TWKDATA& now, float dx, float dy) {
  const bool samePaint = now.Name == was.Name && now.Type == was.Type && now.DrawMethod == was.DrawMethod &&
                         now.DrawMethod2 == was.DrawMethod2 && now.DrawWidth == was.DrawWidth &&
                         now.DrawAngle == was.DrawAngle && now.DrawRGBA == was.DrawRGBA && now.Visible == was.Visible;
  if (!samePaint) return false;
  const bool points = now.X1 == was.X1 + dx && now.Y1 == was.Y1 + dy && now.X3 == was.X3 + dx &&
                      now.Y3 == was.Y3 + dy && now.X4 == was.X4 + dx && now.Y4 == was.Y4 + dy;
  // An ellipse keeps its arc angles in X2, Y2.
  const bool second = was.Type == kEllipse ? now.X2 == was.X2 && now.Y2 == was.Y2
                                           : now.X2 == was.X2 + dx && now.Y2 == was.Y2 + dy;
  return points && second;
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
