#include "export/SymbolicSvg.h"

#include "export/OneColourDrawing.h"
#include "export/SvgDocument.h"

namespace twk {

std::string DocumentToSymbolicSvg(const TWKFILE& doc, int pixels) {
  std::string svg = DocumentToSvg(OneColourDrawing(doc, kSymbolicGrey), pixels);
  // The SVG writer marks every stroked path, and only those, fill="none".
  static const std::string kUnfilled = " fill=\"none\"";
  static const std::string kKeptUnfilled = " fill=\"none\" style=\"fill:none !important\"";
  for (std::size_t at = svg.find(kUnfilled); at != std::string::npos; at = svg.find(kUnfilled, at + kKeptUnfilled.size()))
    svg.replace(at, kUnfilled.size(), kKeptUnfilled);
  return svg.size() > kSvgCeiling ? std::string() : svg;
}

}  // namespace twk
