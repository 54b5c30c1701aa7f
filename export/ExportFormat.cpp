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

bool FormatHoldsSize(ExportFormat format, int index) {
  if (index < 0 || index >= kExportSizeCount) return false;
  const int edge = ExportEdgeAt(index);
  switch (format) {
    case ExportFormat::kIco: return edge <= 256;
    // The edges with an ICNS type of their own.
    case ExportFormat::kIcns: return IcnsType(edge) != nullptr;
    default: return true;
  }
}

FormatSizes SplitSizes(ExportFormat format, int mask) {
  FormatSizes sizes;
  for (int i = 0; i < kExportSizeCount; ++i) {
    if (!(mask & (1 << i))) continue;
    (FormatHoldsSize(format, i) ? sizes.held : sizes.leftOut) |= 1 << i;
  }
  return sizes;
}

std::string SizeListText(int mask) {
  std::string text;
  for (int i = 0; i < kExportSizeCount; ++i) {
    if (!(mask & (1 << i))) continue;
    if (!text.empty()) text += ", ";
    text += SizeText(kExportScales[static_cast<std::size_t>(i)]);
  }
  return text;
}

}  // namespace twk
