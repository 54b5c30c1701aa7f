#include "export/FileTypes.h"

#include "export/ExportPlan.h"
#include "persist/PathRules.h"

namespace twk {

std::string SingleFilePath(const std::string& chosenPath, ExportFormat format) {
  return ExtensionBase(chosenPath) + "." + FormatName(format);
}

std::string SingleFileFailureMessage(const std::string& path) {
  return ExportFailureMessage(path + "\r\n");
}

std::string LeftOutMessage(int leftOutMask, bool written) {
  const std::string sizes = SizeListText(leftOutMask);
  if (!written) return "No file was written: this file type holds none of the checked sizes:\r\n\r\n" + sizes;
  return "This file type cannot hold these sizes; they were left out:\r\n\r\n" + sizes;
}

}  // namespace twk
