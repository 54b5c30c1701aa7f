#pragma once
// One square image of an icon file: its edge in pixels and its PNG file.

#include <cstdint>
#include <vector>

namespace twk {

struct IconImage {
  int edge = 0;
  std::vector<std::uint8_t> png;
};

}  // namespace twk
