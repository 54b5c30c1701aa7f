#include "export/ExportSizes.h"

#include "document/Rounding.h"

namespace twk {

int ExportEdge(float scale) { return RoundToInt(16.0 * static_cast<double>(scale)); }

std::string SizeText(float scale) {
  const std::string n = std::to_string(ExportEdge(scale));
  return n + "x" + n;
}

std::string ExportFileName(const std::string& base, float scale) {
  return base + "." + SizeText(scale) + ".png";
}

}  // namespace twk
