#include "import/PathData.h"

#include <cctype>
#include <string>

#include "import/SvgNumbers.h"

namespace twk {
namespace {

bool Same(Point a, Point b) { return a.x == b.x && a.y == b.y; }

// The parser's pen and the subpaths made so far.
class PathBuilder {
 public:
  explicit PathBuilder(std::size_t maxSegments) : maxSegments_(maxSegments) {}

  void MoveTo(Point p) {
    Finish();
    start_ = pen_ = p;
  }
  void Add(SvgSegment s) {
    if (++count_ > maxSegments_)
      TooManyItems();
    s.from = pen_;
    current_.segments.push_back(s);
    pen_ = s.to;
  }
  void Close() {
    if (!Same(pen_, start_)) Add(Line(start_));
    if (!current_.segments.empty()) current_.closed = true;
    Finish();
    pen_ = start_;
  }
  std::vector<SvgSubPath> Take() {
    Finish();
    return std::move(paths_);
  }
  Point pen() const { return pen_; }

  static SvgSegment Line(Point to) {
    SvgSegment s;
    s.to = to;
    return s;
  }

 private:
  void Finish() {
    if (!current_.segments.empty()) paths_.push_back(std::move(current_));
    current_ = SvgSubPath{};
  }

  std::size_t maxSegments_;
  std::size_t count_ = 0;
  std::vector<SvgSubPath> paths_;
  SvgSubPath current_;
  Point start_, pen_;
};

// The point `p` given relative to `origin` when `relative`.
Point At(bool relative, Point origin, double x, double y) {
  return relative ? Point{origin.x + x, origin.y + y} : Point{x, y};
}

Point Reflect(Point control, Point about) { return {2 * about.x - control.x, 2 * about.y - control.y}; }

}  // namespace

std::vector<SvgSubPath> ParsePathData(std::string_view d, std::size_t maxSegments) {
  PathBuilder path(maxSegments);
  NumberScanner scan(d);
  char command = '\0';
  bool started = false;
  Point lastCubic, lastQuad;  // the previous segment's last control point, for S and T
  char lastKind = '\0';       // 'C' after C/S, 'Q' after Q/T
  while (!scan.AtEnd()) {
    const char next = scan.Peek();
    if (std::isalpha(static_cast<unsigned char>(next))) {
      command = next;
      scan.Advance();
    } else if (command == '\0') {
      break;
    }
    const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(command)));
    const bool rel = command != upper;
    if (!started && upper != 'M') break;  // path data must begin with a moveto
    const Point pen = path.pen();
    double v[7];
    // Reads n numbers; false (ending the path) when they are not there.
    const auto numbers = [&](int n) {
      for (int i = 0; i < n; ++i)
        if (!scan.Number(v[i])) return false;
      return true;
    };
    char kind = '\0';
    if (upper == 'Z') {
      path.Close();
      command = '\0';  // Z takes no numbers; a number after it is an error
      lastKind = '\0';
      continue;
    } else if (upper == 'M') {
      if (!numbers(2)) break;
      path.MoveTo(At(rel, pen, v[0], v[1]));
      started = true;
      command = rel ? 'l' : 'L';  // further pairs are lines
    } else if (upper == 'L') {
      if (!numbers(2)) break;
      path.Add(PathBuilder::Line(At(rel, pen, v[0], v[1])));
    } else if (upper == 'H') {
      if (!numbers(1)) break;
      path.Add(PathBuilder::Line({rel ? pen.x + v[0] : v[0], pen.y}));
    } else if (upper == 'V') {
      if (!numbers(1)) break;
      path.Add(PathBuilder::Line({pen.x, rel ? pen.y + v[0] : v[0]}));
    } else if (upper == 'C' || upper == 'S') {
      SvgSegment s;
      s.kind = SvgSegment::kCubic;
      if (upper == 'C') {
        if (!numbers(6)) break;
        s.c1 = At(rel, pen, v[0], v[1]);
        s.c2 = At(rel, pen, v[2], v[3]);
        s.to = At(rel, pen, v[4], v[5]);
      } else {
        if (!numbers(4)) break;
        s.c1 = lastKind == 'C' ? Reflect(lastCubic, pen) : pen;
        s.c2 = At(rel, pen, v[0], v[1]);
        s.to = At(rel, pen, v[2], v[3]);
      }
      path.Add(s);
      lastCubic = s.c2;
      kind = 'C';
    } else if (upper == 'Q' || upper == 'T') {
      Point control, to;
      if (upper == 'Q') {
        if (!numbers(4)) break;
        control = At(rel, pen, v[0], v[1]);
        to = At(rel, pen, v[2], v[3]);
      } else {
        if (!numbers(2)) break;
        control = lastKind == 'Q' ? Reflect(lastQuad, pen) : pen;
        to = At(rel, pen, v[0], v[1]);
      }
      // The cubic with control points two thirds of the way to the
      // quadratic's control point draws the same curve.
      SvgSegment s;
      s.kind = SvgSegment::kCubic;
      s.c1 = {pen.x + 2.0 / 3.0 * (control.x - pen.x), pen.y + 2.0 / 3.0 * (control.y - pen.y)};
      s.c2 = {to.x + 2.0 / 3.0 * (control.x - to.x), to.y + 2.0 / 3.0 * (control.y - to.y)};
      s.to = to;
      path.Add(s);
      lastQuad = control;
      kind = 'Q';
    } else if (upper == 'A') {
      SvgSegment s;
      s.kind = SvgSegment::kArc;
      if (!scan.Number(s.rx) || !scan.Number(s.ry) || !scan.Number(s.xRotation) || !scan.Flag(s.large) ||
          !scan.Flag(s.sweep) || !numbers(2))
        break;
      s.to = At(rel, pen, v[0], v[1]);
      path.Add(s);
    } else {
      break;  // not a path command
    }
    lastKind = kind;
  }
  return path.Take();
}

}  // namespace twk
