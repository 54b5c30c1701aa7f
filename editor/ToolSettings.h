#pragma once
// Steps, bounds and wrap-arounds of the tool settings the keys change.

namespace twk {

// Draw method and end style: 0 -> 1 -> 2 -> 0 (3 or more becomes 0).
int NextDrawMethod(int method);
int NextEndStyle(int style);
// Item type: Line (0) -> Rect (2) -> Ellipse (3) -> Line; Curve is skipped.
int NextItemType(int type);
// Width plus `step`, kept within 0.25..10.0.
float SteppedWidth(float width, float step);
// Opacity plus `step`, kept within 0..255.
int SteppedAlpha(int alpha, int step);

constexpr float kMinDrawWidth = 0.25f;
constexpr float kMaxDrawWidth = 10.0f;
constexpr float kWidthStep = 0.25f;
constexpr int kAlphaStep = 5;

}  // namespace twk
