#include "import/Affine.h"

#include <cmath>
#include <string>

#include "import/SvgNumbers.h"

namespace twk {
namespace {

constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180.0;

// Cosine and sine with exact values at quarter turns, so a turn by 90
// degrees keeps straight edges exactly straight.
void CosSin(double degrees, double& cos, double& sin) {
  const double turn = std::fmod(degrees, 360.0);
  cos = std::cos(turn * kRadiansPerDegree);
  sin = std::sin(turn * kRadiansPerDegree);
  if (std::fmod(turn, 90.0) == 0.0) {
    cos = std::round(cos);
    sin = std::round(sin);
  }
}

// The map of one transform function with its arguments; false for a wrong
// name or number of arguments.
bool FunctionMap(std::string_view name, const std::vector<double>& v, Affine& m) {
  const std::size_t n = v.size();
  if (name == "matrix" && n == 6) {
    m = {v[0], v[1], v[2], v[3], v[4], v[5]};
  } else if (name == "translate" && (n == 1 || n == 2)) {
    m = {1, 0, 0, 1, v[0], n == 2 ? v[1] : 0};
  } else if (name == "scale" && (n == 1 || n == 2)) {
    m = {v[0], 0, 0, n == 2 ? v[1] : v[0], 0, 0};
  } else if (name == "rotate" && (n == 1 || n == 3)) {
    double cos, sin;
    CosSin(v[0], cos, sin);
    const Affine turn{cos, sin, -sin, cos, 0, 0};
    m = turn;
    if (n == 3) m = Compose(Affine{1, 0, 0, 1, v[1], v[2]}, Compose(turn, Affine{1, 0, 0, 1, -v[1], -v[2]}));
  } else if (name == "skewX" && n == 1) {
    m = {1, 0, std::tan(v[0] * kRadiansPerDegree), 1, 0, 0};
  } else if (name == "skewY" && n == 1) {
    m = {1, std::tan(v[0] * kRadiansPerDegree), 0, 1, 0, 0};
  } else {
    return false;
  }
  return true;
}

}  // namespace

Affine Compose(const Affine& o, const Affine& i) {
  return {o.a * i.a + o.c * i.b, o.b * i.a + o.d * i.b, o.a * i.c + o.c * i.d,
          o.b * i.c + o.d * i.d, o.a * i.e + o.c * i.f + o.e, o.b * i.e + o.d * i.f + o.f};
}

bool ParseTransform(std::string_view text, Affine& result) {
  result = Affine{};
  NumberScanner scan(text);
  while (!scan.AtEnd()) {
    std::string name;
    while (std::isalpha(static_cast<unsigned char>(scan.Peek()))) {
      name.push_back(scan.Peek());
      scan.Advance();
    }
    scan.SkipSpace();
    if (name.empty() || scan.Peek() != '(') return (result = Affine{}), false;
    scan.Advance();
    std::vector<double> args;
    double value;
    while (scan.Number(value)) args.push_back(value);
    scan.SkipSpace();
    Affine m;
    if (scan.Peek() != ')' || !FunctionMap(name, args, m)) return (result = Affine{}), false;
    scan.Advance();
    result = Compose(result, m);
    scan.SkipSeparators();
  }
  return true;
}

}  // namespace twk
