#include "export/SvgPathData.h"

#include <cmath>

#include <charconv>

namespace twk {

void AppendNumber(std::string& out, double value) {
  float f = static_cast<float>(value);
  if (f == 0) f = 0;  // no "-0"
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, f);
  out.append(buffer, result.ptr);
}

void SvgPathData::Command(char letter) {
  // A repeated L needs no letter: further pairs continue the line.
  if (letter != last_ || letter == 'M' || letter == 'Z' || letter == 'h') text_.push_back(letter);
  else text_.push_back(' ');
  last_ = letter;
}

bool WritesFinite(double value) { return std::isfinite(static_cast<float>(value)); }

void SvgPathData::Pair(const Point& p) {
  finite_ = finite_ && WritesFinite(p.x) && WritesFinite(p.y);
  AppendNumber(text_, p.x);
  const std::size_t at = text_.size();
  AppendNumber(text_, p.y);
  if (text_[at] != '-') text_.insert(at, 1, ' ');  // a minus sign separates by itself
}

void SvgPathData::AddOutline(const OutlinePath& path) {
  for (const PathSegment& s : path.segments()) {
    switch (s.kind) {
      case PathSegment::Kind::kMove: Command('M'); Pair(s.p[0]); break;
      case PathSegment::Kind::kLine: Command('L'); Pair(s.p[0]); break;
      case PathSegment::Kind::kCubic:
        Command('C');
        Pair(s.p[0]);
        text_.push_back(' ');
        Pair(s.p[1]);
        text_.push_back(' ');
        Pair(s.p[2]);
        break;
      case PathSegment::Kind::kClose: Command('Z'); break;
    }
  }
}

void SvgPathData::AddPolylines(const std::vector<Polyline>& pieces) {
  for (const Polyline& piece : pieces) {
    if (piece.points.empty()) continue;
    Command('M');
    Pair(piece.points.front());
    for (std::size_t i = 1; i < piece.points.size(); ++i) {
      Command('L');
      Pair(piece.points[i]);
    }
  }
}

void SvgPathData::AddDots(const std::vector<Point>& centres) {
  for (const Point& c : centres) {
    Command('M');
    Pair(c);
    Command('h');
    text_.push_back('0');
  }
}

void SvgPathData::AddBar(const Point& centre, double length) {
  Command('M');
  Pair({centre.x - length / 2, centre.y});
  Command('h');
  finite_ = finite_ && WritesFinite(length);
  AppendNumber(text_, length);
}

void SvgPathData::AddPolygon(const std::vector<Point>& corners) {
  if (corners.empty()) return;
  Command('M');
  Pair(corners.front());
  for (std::size_t i = 1; i < corners.size(); ++i) {
    Command('L');
    Pair(corners[i]);
  }
  Command('Z');
}

void SvgPathData::AddCircle(const Point& centre, double radius) {
  Command('M');
  Pair({centre.x + radius, centre.y});
  for (const double side : {-radius, radius}) {
    Command('A');
    finite_ = finite_ && WritesFinite(radius);
    AppendNumber(text_, radius);
    text_.push_back(' ');
    AppendNumber(text_, radius);
    text_ += " 0 1 1 ";
    Pair({centre.x + side, centre.y});
  }
  Command('Z');
}

}  // namespace twk
