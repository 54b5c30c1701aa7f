// libFuzzer target: the SVG reader on any text. Whatever it reads must be a
// drawing within the document's ceiling, every number finite; a crash, a
// sanitizer report or a run past -timeout is a finding.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "import/SvgReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const twk::SvgRead read = twk::ReadSvgText(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!read.ok) {
    if (read.error.empty()) std::abort();
    return 0;
  }
  if (read.doc.CData.size() > static_cast<int>(twk::kDocumentItemCeiling)) std::abort();
  for (int i = 0; i < read.doc.CData.size(); ++i) {
    const twk::TWKDATA& it = *read.doc.CData.at(i);
    for (float v : {it.X1, it.Y1, it.X2, it.Y2, it.X3, it.Y3, it.X4, it.Y4, it.DrawWidth, it.DrawAngle})
      if (!std::isfinite(v)) std::abort();
  }
  return 0;
}
