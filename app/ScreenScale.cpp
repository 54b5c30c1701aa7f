#include "app/ScreenScale.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

#include "document/Rounding.h"

namespace twk {

namespace {

float AxisScale(double dpi) {
  if (!(dpi > 0) || !std::isfinite(dpi)) return 1.0f;
  return static_cast<float>(dpi / 96.0);
}

int Scaled(int base, float scale) {
  return RoundToInt(static_cast<float>(static_cast<float>(base) * scale));
}

}  // namespace

ScreenScale ScreenScaleFromDpi(double dpiX, double dpiY) {
  return ScreenScale{AxisScale(dpiX), AxisScale(dpiY)};
}

ScreenScale MeasureScreenScale() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return ScreenScale{};
  return ScreenScaleFromDpi(screen->logicalDotsPerInchX(), screen->logicalDotsPerInchY());
}

LayoutSizes ComputeLayoutSizes(ScreenScale scale) {
  LayoutSizes sizes;
  sizes.DPIx1 = Scaled(320, scale.x);
  sizes.DPIx2 = Scaled(140, scale.x);
  sizes.DPIx3 = Scaled(160, scale.x);
  sizes.DPIx4 = Scaled(160, scale.x);
  sizes.DPIy1 = Scaled(320, scale.y);
  sizes.DPIy2 = Scaled(320, scale.y);
  sizes.DPIy3 = Scaled(20, scale.y);
  sizes.DPIy4 = Scaled(160, scale.y);
  return sizes;
}

}  // namespace twk
