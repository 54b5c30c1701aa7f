#include "export/FileTypes.h"

#include <algorithm>
#include <cctype>

#include "export/ExportPlan.h"
#include "persist/PathRules.h"

namespace twk {

std::string LeftOutMessage(const SizeSet& leftOut, bool written) {
  const std::string sizes = SizeListText(leftOut);
  if (!written) return "No file was written: this file type holds none of the checked sizes:\r\n\r\n" + sizes;
  return "This file type cannot hold these sizes; they were left out:\r\n\r\n" + sizes;
}

std::string IconSetsWrittenMessage(std::size_t files, const std::string& folder) {
  return "The icon sets were written: " + std::to_string(files) + " files in\r\n\r\n" + folder;
}

ExportFormat ChosenExportFormat(const std::string& chosenPath, ExportFormat listed) {
  // The extension is what the file naming rule strips from the name.
  std::string extension = chosenPath.substr(ExtensionBase(chosenPath).size());
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  for (const ExportFileType& type : kExportWindowFileTypes) {
    if (type.format != ExportFormat::kIconSets && extension == std::string(".") + FormatName(type.format)) return type.format;
  }
  return listed;
}

}  // namespace twk
