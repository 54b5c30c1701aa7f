#include "import/SvgReader.h"

namespace twk {

SvgRead ReadSvgText(std::string_view, const SvgReadOptions&) {
  SvgRead read;
  read.error = "reading SVG is not yet built";
  return read;
}

SvgRead ReadSvgFile(const std::string&, const SvgReadOptions&) {
  SvgRead read;
  read.error = "reading SVG is not yet built";
  return read;
}

bool LooksLikeSvg(std::string_view) { return false; }

}  // namespace twk
