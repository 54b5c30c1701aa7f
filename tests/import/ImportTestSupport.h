#pragma once
// Items as text lines, so whole records compare at once and a failure shows
// every field: kind, method, end style, width, angle, colour, visibility and
// the eight coordinates, rounded to 1/1000 unit.

#include <cmath>
#include <cstdio>
#include <string>

#include "document/Colour.h"
#include "document/Document.h"

namespace twk::testing {

inline std::string Rounded(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3f", std::fabs(v) < 0.0005 ? 0.0 : v);
  return text;
}

inline std::string ItemLine(const TWKDATA& it) {
  static const char* const kKinds[] = {"Line", "Curve", "Rect", "Ellipse"};
  static const char* const kMethods[] = {"solid", "fill", "dots"};
  static const char* const kEnds[] = {"square", "center", "round"};
  char colour[16];
  std::snprintf(colour, sizeof colour, "#%02x%02x%02x/%d", RedOf(it.DrawRGBA), GreenOf(it.DrawRGBA),
                BlueOf(it.DrawRGBA), AlphaOf(it.DrawRGBA));
  std::string line = std::string(it.Type < 4 ? kKinds[it.Type] : "?") + " " +
                     (it.DrawMethod < 3 ? kMethods[it.DrawMethod] : "?") + " " +
                     (it.DrawMethod2 < 3 ? kEnds[it.DrawMethod2] : "?") + " w" + Rounded(it.DrawWidth) + " a" +
                     Rounded(it.DrawAngle) + " " + colour + (it.Visible ? "" : " hidden");
  const float p[] = {it.X1, it.Y1, it.X2, it.Y2, it.X3, it.Y3, it.X4, it.Y4};
  for (float v : p) line += " " + Rounded(v);
  return line;
}

// The document's items, front first, one line each.
inline std::string ItemLines(const TWKFILE& doc) {
  std::string text;
  for (int i = 0; i < doc.CData.size(); ++i) text += ItemLine(*doc.CData.at(i)) + "\n";
  return text;
}

}  // namespace twk::testing
