// Canvas pixels to document points, and the arc angle of an ellipse.

#include <algorithm>
#include <cmath>

#include "document/Rounding.h"
#include "editor/Construction.h"

namespace twk {

namespace {
constexpr float kPi32 = 3.1415927f;  // pi as the 32-bit float the angles use
}  // namespace

DocPoint CanvasPoint(int px, int py, float pixelsPerUnitX, float pixelsPerUnitY) {
  const float qx = static_cast<float>(px) / pixelsPerUnitX;
  const float qy = static_cast<float>(py) / pixelsPerUnitY;
  return {std::ceil(qx) - 0.5f, std::ceil(qy) - 0.5f};
}

DocPoint HalfUnitPoint(int px, int py, float pixelsPerUnitX, float pixelsPerUnitY) {
  const float qx = static_cast<float>(px) / pixelsPerUnitX;
  const float qy = static_cast<float>(py) / pixelsPerUnitY;
  return {std::floor(qx * 2.0f + 0.5f) / 2.0f, std::floor(qy * 2.0f + 0.5f) / 2.0f};
}

bool ArcAngle(float cx, float cy, float px, float py, float& angle) {
  const float rcx = static_cast<float>(RoundHalfEven(cx));
  const float rcy = static_cast<float>(RoundHalfEven(cy));
  const float rpx = static_cast<float>(RoundHalfEven(px));
  const float rpy = static_cast<float>(RoundHalfEven(py));
  const float dx = rcx - rpx;
  const float dy = rcy - rpy;
  const float d = -std::sqrt(dx * dx + dy * dy);
  if (!(d < 0.0f)) return false;  // the same point: no direction, no angle
  // The quotient can stray past -1..1 by rounding only for huge values.
  const double cosine = std::clamp(static_cast<double>(dx / d), -1.0, 1.0);
  double a = std::acos(cosine) * 180.0 / static_cast<double>(kPi32);
  if (rcy < rpy) a = 360.0 - a;
  angle = static_cast<float>(std::fabs(a - 360.0));
  return true;
}

}  // namespace twk
