#pragma once
// Screen scale and the eight layout sizes derived from it. All scaling of the
// windows is the program's own: Qt's high-DPI scaling is switched off in
// main(), the scale is the primary screen's logical dots per inch over 96.

namespace twk {

struct ScreenScale {
  float x = 1.0f;
  float y = 1.0f;
};

// dpi / 96 per axis as a 32-bit float; an axis reporting 0 (or less, or no
// number) keeps 1.0.
ScreenScale ScreenScaleFromDpi(double dpiX, double dpiY);

// The primary screen's scale; 1.0 on both axes when there is no screen.
// Needs a QGuiApplication.
ScreenScale MeasureScreenScale();

// Control sizes in pixels: base size x scale of the axis, rounded half to
// even.
struct LayoutSizes {
  int DPIx1 = 320;  // canvas width
  int DPIx2 = 140;  // item list width
  int DPIx3 = 160;  // export resolution list width
  int DPIx4 = 160;  // Export/Cancel button pair width
  int DPIy1 = 320;  // canvas height
  int DPIy2 = 320;  // item list height
  int DPIy3 = 20;   // palette strip height
  int DPIy4 = 160;  // export resolution list height
};

LayoutSizes ComputeLayoutSizes(ScreenScale scale);

}  // namespace twk
