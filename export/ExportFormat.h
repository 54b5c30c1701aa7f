#pragma once
// The file formats the export writes, and which of the export sizes a file
// of each format can hold.

#include <optional>
#include <string>

namespace twk {

enum class ExportFormat { kPng, kSvg, kIco, kIcns };

// "png", "svg", "ico", "icns" and back; nullopt for any other name.
std::optional<ExportFormat> FormatFromName(const std::string& name);
const char* FormatName(ExportFormat format);

// Whether one file of `format` can hold export size `index` (0..11).
// PNG writes one file per size and SVG scales to any size, so both hold
// every size; ICO holds 16 to 256 pixels, ICNS the sizes with an icon type.
bool FormatHoldsSize(ExportFormat format, int index);

// A size mask split into the sizes a file of the format holds and those it
// has to leave out.
struct FormatSizes {
  int held = 0;
  int leftOut = 0;
  bool operator==(const FormatSizes&) const = default;
};
FormatSizes SplitSizes(ExportFormat format, int mask);

// "16x16, 512x512" for the sizes set in `mask`, smallest first.
std::string SizeListText(int mask);

}  // namespace twk
