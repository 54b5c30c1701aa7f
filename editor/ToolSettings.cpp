#include "editor/ToolSettings.h"

namespace twk {

namespace {
int NextOfThree(int code) {
  const int next = code + 1;
  return next >= 3 ? 0 : next;
}
}  // namespace

int NextDrawMethod(int method) { return NextOfThree(method); }
int NextEndStyle(int style) { return NextOfThree(style); }

int NextItemType(int type) {
  int next = type + 1;
  if (next == 1) next = 2;  // a curve is never drawn directly
  if (next >= 4) next = 0;
  return next;
}

float SteppedWidth(float width, float step) {
  float next = width + step;
  if (next > kMaxDrawWidth) next = kMaxDrawWidth;
  if (next < kMinDrawWidth) next = kMinDrawWidth;
  return next;
}

int SteppedAlpha(int alpha, int step) {
  int next = alpha + step;
  if (next > 255) next = 255;
  if (next < 0) next = 0;
  return next;
}

}  // namespace twk
