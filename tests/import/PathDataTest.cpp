// Path data read into items: every command, absolute and relative, implicit
// repeats, compact numbers and packed arc flags, each case compared as the
// whole list of item records. The viewBox is the drawing area itself, so
// path coordinates are item coordinates.

#include <gtest/gtest.h>

#include "ImportTestSupport.h"
#include "import/SvgReader.h"

namespace twk {
namespace {

using testing::Rounded;

// The items of a stroked path, back first (the order the path draws them).
std::string PathItems(const std::string& d, const std::string& pen = "stroke-linecap='round'") {
  const SvgRead read = ReadSvgText(
      "<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 16 16'><path fill='none' stroke='#000' " + pen +
      " d='" + d + "'/></svg>");
  if (!read.ok) return "error: " + read.error;
  std::string text;
  for (int i = read.doc.CData.size() - 1; i >= 0; --i) text += testing::ItemLine(*read.doc.CData.at(i)) + "\n";
  return text;
}

std::string Head(const char* kind, const char* ends, double angle = 0) {
  return std::string(kind) + " solid " + ends + " w1.000 a" + Rounded(angle) + " #000000/255";
}
std::string L(double x1, double y1, double x4, double y4, const char* ends = "round") {
  return Head("Line", ends) + " " + Rounded(x1) + " " + Rounded(y1) + " " + Rounded(x1) + " " + Rounded(y1) + " " +
         Rounded(x1) + " " + Rounded(y1) + " " + Rounded(x4) + " " + Rounded(y4) + "\n";
}
std::string C(double x1, double y1, double x2, double y2, double x3, double y3, double x4, double y4) {
  return Head("Curve", "round") + " " + Rounded(x1) + " " + Rounded(y1) + " " + Rounded(x2) + " " + Rounded(y2) +
         " " + Rounded(x3) + " " + Rounded(y3) + " " + Rounded(x4) + " " + Rounded(y4) + "\n";
}
// An arc: centre, radii, start and end ray angles (clockwise), turn.
std::string E(double cx, double cy, double rx, double ry, double start, double end, double angle = 0) {
  return Head("Ellipse", "round", angle) + " " + Rounded(cx) + " " + Rounded(cy) + " " + Rounded(start) + " " +
         Rounded(end) + " 0.000 0.000 " + Rounded(cx + rx) + " " + Rounded(cy + ry) + "\n";
}

TEST(PathData, EachCommandBecomesTheseItems) {
  const struct {
    const char* d;
    std::string items;
  } cases[] = {
      {"M1 2L3 4", L(1, 2, 3, 4)},
      // Pairs after a moveto are lines; relative ones follow the pen.
      {"M1 2 3 4 5 6", L(1, 2, 3, 4) + L(3, 4, 5, 6)},
      {"m1 2l2 2 2 0", L(1, 2, 3, 4) + L(3, 4, 5, 4)},
      {"M1 1H5V4h-2v1", L(1, 1, 5, 1) + L(5, 1, 5, 4) + L(5, 4, 3, 4) + L(3, 4, 3, 5)},
      // Compact numbers: "1.5.5" is two numbers, "-.5" and "1e-2" are numbers.
      {"M1.5.5L-.5 1e-2", L(1.5, 0.5, -0.5, 0.01)},
      {"M1-2-3-4", L(1, -2, -3, -4)},
      {"M1 1C2 3 4 3 5 1", C(1, 1, 2, 3, 4, 3, 5, 1)},
      // S reflects the last control point about the pen; after a non-curve
      // it starts at the pen.
      {"M1 1C2 3 4 3 5 1S8 -1 9 1", C(1, 1, 2, 3, 4, 3, 5, 1) + C(5, 1, 6, -1, 8, -1, 9, 1)},
      {"M1 1L2 2s1 1 2 0", L(1, 1, 2, 2) + C(2, 2, 2, 2, 3, 3, 4, 2)},
      // Quadratics raised to cubics: controls two thirds of the way to the
      // quadratic control point; T reflects it.
      {"M1 1Q4 7 7 1T13 1", C(1, 1, 3, 5, 5, 5, 7, 1) + C(7, 1, 9, -3, 11, -3, 13, 1)},
      {"M0 0q3 3 3 0", C(0, 0, 2, 2, 3, 2, 3, 0)},
      {"M0 0t3 3", C(0, 0, 0, 0, 1, 1, 3, 3)},
      // Arcs: half a circle clockwise over the top, then packed flags ("10"
      // then the next number), the other way round through the bottom.
      {"M2 8A6 6 0 0 1 14 8", E(8, 8, 6, 6, 180, 360)},
      {"M2 8a6 6 0 1012 0", E(8, 8, 6, 6, 0, 180)},
      // Radii too small grow until they reach; a zero radius is a line.
      {"M2 8A1 1 0 0 1 14 8", E(8, 8, 6, 6, 180, 360)},
      {"M2 8A0 3 0 0 1 14 8", L(2, 8, 14, 8)},
      {"M2 8A3 3 0 0 1 2 8", ""},
      // The x-axis turn becomes the item's turn, quarter turns folded into
      // the radii; clockwise from the left end over the top.
      {"M5 8A6 3 90 0 1 11 8", E(8, 8, 3, 6, 180, 360)},
      // Major axes along (4, 3) and (3, 4): turns of 36.87 and 53.13
      // degrees, the second folded to -36.87 with the radii swapped.
      {"M12 11A5 2 36.86989765 0 1 4 5", E(8, 8, 5, 2, 0, 180, 36.870)},
      {"M11 12A5 2 53.13010235 0 1 5 4", E(8, 8, 2, 5, 90, 270, 323.130)},
      // Of the two 4 x 2 ellipses through both ends, the large arc against
      // the clock is three quarters of the one centred at (12, 6).
      {"M12 8A4 2 0 1 0 8 6", E(12, 6, 4, 2, 180, 450)},
      {"M12 8A4 2 0 0 1 8 10", E(8, 8, 4, 2, 0, 90)},
      // Z closes with a line back to the start (a closed figure takes the
      // miter join's square ends), then a new subpath starts there.
      {"M1 1L5 1L5 5Z", L(1, 1, 5, 1, "square") + L(5, 1, 5, 5, "square") + L(5, 5, 1, 1, "square")},
      {"M1 1H5Zl0 3", L(1, 1, 5, 1, "square") + L(5, 1, 1, 1, "square") + L(1, 1, 1, 4)},
      {"M1 1 5 1 1 1z", L(1, 1, 5, 1, "square") + L(5, 1, 1, 1, "square")},
      // Data after an error is ignored; data must start with a moveto.
      {"M1 1L2 2L3", L(1, 1, 2, 2)},
      {"M1 1L2 2X3 3", L(1, 1, 2, 2)},
      {"L1 1 2 2", ""},
      {"M1 1 2 2 Z 3 3", L(1, 1, 2, 2, "square") + L(2, 2, 1, 1, "square")},
  };
  for (const auto& c : cases) EXPECT_EQ(PathItems(c.d), c.items) << c.d;
}

TEST(PathData, ClosedFiguresTakeTheirJoinsAndOpenOnesTheirCaps) {
  const std::string miter = "stroke-linejoin='miter' stroke-linecap='butt'";
  const std::string roundJoin = "stroke-linejoin='round' stroke-linecap='butt'";
  EXPECT_EQ(PathItems("M1 1H5", miter), L(1, 1, 5, 1, "center"));
  EXPECT_EQ(PathItems("M1 1H5V5z", miter), L(1, 1, 5, 1, "square") + L(5, 1, 5, 5, "square") + L(5, 5, 1, 1, "square"));
  EXPECT_EQ(PathItems("M1 1H5", "stroke-linecap='square'"), L(1, 1, 5, 1, "square"));
  EXPECT_EQ(PathItems("M1 1H5z", "stroke-linejoin='bevel'"), L(1, 1, 5, 1, "center") + L(5, 1, 1, 1, "center"));
  EXPECT_EQ(PathItems("M1 1H5z", roundJoin), L(1, 1, 5, 1, "round") + L(5, 1, 1, 1, "round"));
}

}  // namespace
}  // namespace twk
