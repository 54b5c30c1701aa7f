#pragma once
// The twelve export resolutions and the names of the files they produce.

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace twk {

constexpr int kExportSizeCount = 12;
// Pixels per document unit of each size, in the order the export list and
// the configuration's RecentExport bits use.
constexpr std::array<float, kExportSizeCount> kExportScales = {1, 2, 3, 4, 6, 8, 10, 12, 16, 32, 48, 64};

// The edge in pixels of the square image at `scale`: round(16 x scale).
int ExportEdge(float scale);
// The edge of export size `index` (0..11).
inline int ExportEdgeAt(int index) { return ExportEdge(kExportScales[static_cast<std::size_t>(index)]); }
// "32x32" for scale 2: the edge N, twice.
std::string SizeText(float scale);
// base + "." + size text + ".png".
std::string ExportFileName(const std::string& base, float scale);

}  // namespace twk
