#pragma once
// SVG colour values: #rgb, #rrggbb (and their forms with opacity),
// rgb()/rgba() and the CSS colour names.

#include <string_view>

namespace twk {

struct ColourValue {
  int r = 0, g = 0, b = 0;
  double opacity = 1;  // from #rgba, #rrggbbaa or rgba()
};

// False for anything that is not one of those (none, currentColor and
// url() are paint keywords, read by the caller).
bool ParseColour(std::string_view text, ColourValue& colour);

}  // namespace twk
