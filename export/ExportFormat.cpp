#include "export/ExportFormat.h"

#include <vector>

#include "export/IcnsWriter.h"

namespace twk {

namespace {

struct FormatEntry {
  ExportFormat format;
  const char* name;
};
constexpr FormatEntry kFormats[] = {
    {ExportFormat::kPng, "png"}, {ExportFormat::kSvg, "svg"}, {ExportFormat::kIco, "ico"}, {ExportFormat::kIcns, "icns"}};

}  // namespace

std::optional<ExportFormat> FormatFromName(const std::string& name) {
  for (const FormatEntry& entry : kFormats) {
    if (name == entry.name) return entry.format;
  }
  return std::nullopt;
}

const char* FormatName(ExportFormat format) {
  for (const FormatEntry& entry : kFormats) {
    if (entry.format == format) return entry.name;
  }
  return "";
}

bool FormatHolds(ExportFormat format, int edge) {
  if (edge < kMinExportEdge || edge > kMaxExportEdge) return false;
  switch (format) {
    // An ICO directory entry keeps each side in one byte, 0 standing for 256.
    case ExportFormat::kIco: return edge <= 256;
    // The edges with an ICNS type of their own.
    case ExportFormat::kIcns: return IcnsType(edge) != nullptr;
    default: return true;
  }
}

FormatSizes SplitSizes(ExportFormat format, const SizeSet& sizes) {
  FormatSizes split;
  for (int edge : sizes.edges()) (FormatHolds(format, edge) ? split.held : split.leftOut).Add(edge);
  return split;
}

std::string SizeListText(const SizeSet& sizes) {
  std::string text;
  for (int edge : sizes.edges()) {
    if (!text.empty()) text += ", ";
    text += std::to_string(edge) + "x" + std::to_string(edge);
  }
  return text;
}

std::string HeldEdgesText(ExportFormat format) {
  // Runs of held edges: a run of three or more reads "a to b".
  std::vector<std::string> parts;
  for (int edge = kMinExportEdge; edge <= kMaxExportEdge; ++edge) {
    if (!FormatHolds(format, edge)) continue;
    int last = edge;
    while (last < kMaxExportEdge && FormatHolds(format, last + 1)) ++last;
    if (last - edge >= 2) {
      parts.push_back(std::to_string(edge) + " to " + std::to_string(last));
    } else {
      for (int e = edge; e <= last; ++e) parts.push_back(std::to_string(e));
    }
    edge = last;
  }
  std::string text;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) text += i + 1 == parts.size() ? " and " : ", ";
    text += parts[i];
  }
  return text;
}

}  // namespace twk
