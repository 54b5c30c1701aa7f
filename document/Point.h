#pragma once
// A point in document units (or pixels, where a caller says so).

namespace twk {

struct Point {
  double x = 0, y = 0;
};

}  // namespace twk
