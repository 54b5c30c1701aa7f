#pragma once
// Compact SVG path data: numbers in their shortest form that reads back as
// the same 32-bit float, single-letter commands, no needless separators.

#include <string>
#include <vector>

#include "export/OutlinePath.h"

namespace twk {

// Appends `value` as the shortest text that reads back as float(value);
// -0 is written as 0.
void AppendNumber(std::string& out, double value);
// Whether AppendNumber writes `value` as a finite number (it passes through
// a float, whose range is far smaller than a double's).
bool WritesFinite(double value);

class SvgPathData {
 public:
  // The figure, segment by segment (closed figures end in "Z").
  void AddOutline(const OutlinePath& path);
  // One open polyline per piece: "M x y L x y x y ...".
  void AddPolylines(const std::vector<Polyline>& pieces);
  // A zero-length segment at each point (painted as a dot by a round cap).
  void AddDots(const std::vector<Point>& centres);
  // The horizontal segment of `length` centred on `centre`.
  void AddBar(const Point& centre, double length);
  // A closed figure through `corners`, for filling.
  void AddPolygon(const std::vector<Point>& corners);
  // A whole circle as two half-turn arcs, both turning the same way, for
  // filling.
  void AddCircle(const Point& centre, double radius);

  const std::string& text() const { return text_; }
  // False once a number that would not be finite was written: such data is
  // left out whole, as the renderer leaves out what it cannot draw.
  bool finite() const { return finite_; }

 private:
  void Command(char letter);
  void Pair(const Point& p);
  std::string text_;
  char last_ = 0;  // the last command letter written
  bool finite_ = true;
};

}  // namespace twk
