#pragma once
// The twelve export resolutions and the names of the files they produce.

#include <array>
#include <string>
#include <vector>

namespace twk {

constexpr int kExportSizeCount = 12;
// Pixels per document unit of each size, in the order the export list and
// the configuration's RecentExport bits use.
constexpr std::array<float, kExportSizeCount> kExportScales = {1, 2, 3, 4, 6, 8, 10, 12, 16, 32, 48, 64};

// "32x32" for scale 2: the edge N = round(16 x scale), twice.
std::string SizeText(float scale);
// base + "." + size text + ".png".
std::string ExportFileName(const std::string& base, float scale);

}  // namespace twk
