#pragma once
// The file formats the export writes, and which sizes a file of each format
// can hold.

#include <optional>
#include <string>

#include "export/SizeSet.h"

namespace twk {

// kIconSets: the icon sets of every platform (IconSets.h), written into one
// folder; it has no name of its own and holds no sizes.
enum class ExportFormat { kPng, kSvg, kIco, kIcns, kIconSets };

// "png", "svg", "ico", "icns" and back; nullopt for any other name.
// kIconSets has no name: FormatName gives "".
std::optional<ExportFormat> FormatFromName(const std::string& name);
const char* FormatName(ExportFormat format);

// Whether one file of `format` can hold a square image of `edge` pixels.
// PNG writes one file per size and SVG scales to any size, so both hold
// every edge from kMinExportEdge to kMaxExportEdge; ICO holds every edge
// from 1 to 256, ICNS only the edges with an icon type.
bool FormatHolds(ExportFormat format, int edge);

// A set of sizes split into those a file of the format holds and those it
// has to leave out.
struct FormatSizes {
  SizeSet held;
  SizeSet leftOut;
  bool operator==(const FormatSizes&) const = default;
};
FormatSizes SplitSizes(ExportFormat format, const SizeSet& sizes);

// "16x16, 512x512" for the sizes of the set, smallest first.
std::string SizeListText(const SizeSet& sizes);

// The edges a format holds: "1 to 256" for a run, "16, 32 and 64" for
// single edges.
std::string HeldEdgesText(ExportFormat format);

}  // namespace twk
