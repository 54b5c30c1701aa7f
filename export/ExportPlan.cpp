#include "export/ExportPlan.h"

#include "export/ExportSizes.h"
#include "persist/PathRules.h"

namespace twk {

int ExportMaskFromRows(const std::vector<ExportRowChoice>& rows) {
  int mask = 0;
  for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
    if (it->checked && it->index >= 0 && it->index < kExportSizeCount) mask |= 1 << it->index;
  }
  return mask;
}

bool ExportSizeChecked(int mask, int index) {
  return index >= 0 && index < kExportSizeCount && (mask & (1 << index)) != 0;
}

std::string ExportBase(const std::string& chosenPath) { return ExtensionBase(chosenPath); }

std::string ExportFailureMessage(const std::string& failureText) {
  if (failureText.empty()) return {};
  return "Something wrong with following files:\r\n\r\n" + failureText;
}

}  // namespace twk
