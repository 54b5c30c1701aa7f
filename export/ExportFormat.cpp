#include "export/ExportFormat.h"

#include "export/ExportSizes.h"
#include "export/IcnsWriter.h"

namespace twk {

namespace {

struct FormatEntry {
  ExportFormat format;
  const char* name;
};
constexpr FormatEntry kFormats[] = {
    {ExportFormat::kPng, "png"}, {ExportFormat::kSvg, "svg"}, {ExportFormat::kIco, "ico"}, {ExportFormat::kIcns, "icns"}};

bool OnExportList(int edge) {
  for (int i = 0; i < kExportSizeCount; ++i) {
    if (ExportEdgeAt(i) == edge) return true;
  }
  return false;
}

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
  return "png";
}

bool FormatHolds(ExportFormat format, int edge) {
  if (edge < kMinExportEdge || edge > kMaxExportEdge) return false;
  switch (format) {
    case ExportFormat::kIco: return OnExportList(edge) && edge <= 256;
    // The edges with an ICNS type of their own.
    case ExportFormat::kIcns: return OnExportList(edge) && IcnsType(edge) != nullptr;
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
  std::vector<int> held;
  bool run = true;  // no list size left out between the first and last held
  for (int i = 0; i < kExportSizeCount; ++i) {
    const bool holds = FormatHolds(format, ExportEdgeAt(i));
    if (holds) {
      if (!held.empty() && !FormatHolds(format, ExportEdgeAt(i - 1))) run = false;
      held.push_back(ExportEdgeAt(i));
    }
  }
  if (held.empty()) return {};
  if (run && held.size() > 2) return std::to_string(held.front()) + " to " + std::to_string(held.back());
  std::string text;
  for (std::size_t i = 0; i < held.size(); ++i) {
    if (i > 0) text += i + 1 == held.size() ? " and " : ", ";
    text += std::to_string(held[i]);
  }
  return text;
}

}  // namespace twk
