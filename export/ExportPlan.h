#pragma once
// The pieces of the Export command that need no window: the size mask read
// from the check marks, the file base, and the message texts.

#include <string>
#include <vector>

namespace twk {

inline constexpr const char* kExportTitle = "Export PNG";
inline constexpr const char* kSelectResolutionText = "Select at least one resolution";
inline constexpr const char* kOtherSizesText =
    "Other sizes: whole numbers of pixels from 1 to 4096, separated by commas";

// One row of the export list: its row data (an index into kExportScales)
// and its check mark.
struct ExportRowChoice {
  int index = 0;
  bool checked = false;
};

// RecentExport for the checked rows: bit i for each checked row whose data
// is a size index 0..11; every other bit is clear.
int ExportMaskFromRows(const std::vector<ExportRowChoice>& rows);

// Whether size `index` is pre-checked for the mask RecentExport holds.
bool ExportSizeChecked(int mask, int index);

// The base the size files are named after: the chosen path with its file
// name's extension removed ("star.png", "star.twk" and "star" give "star").
std::string ExportBase(const std::string& chosenPath);

// The error message for the failed files named in `failureText`, a line
// each (FailedFileText); empty when nothing failed.
std::string ExportFailureMessage(const std::string& failureText);

}  // namespace twk
