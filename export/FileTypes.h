#pragma once
// The file types the editor's export dialogs offer, and the texts of the
// exports that write one file (SVG code, ICO and ICNS icons).

#include <array>
#include <string>

#include "export/ExportFormat.h"

namespace twk {

struct ExportFileType {
  ExportFormat format;
  const char* name;     // the dialog filter's description
  const char* pattern;  // the dialog filter's pattern
};

// The export window's save dialog, in the order offered; the first (PNG)
// is selected.
// The icon sets' type names a folder: its pattern shows folders only.
inline constexpr std::array<ExportFileType, 4> kExportWindowFileTypes = {{
    {ExportFormat::kPng, "32-bit PNG Image", "*.png"},
    {ExportFormat::kIco, "Windows Icon", "*.ico"},
    {ExportFormat::kIcns, "Apple Icon Image", "*.icns"},
    {ExportFormat::kIconSets, "Icon sets for every platform", "folder"},
}};

// "Export Code" of the popup menu: its dialog title and only file type.
inline constexpr const char* kExportCodeTitle = "Export Code";
inline constexpr ExportFileType kSvgFileType = {ExportFormat::kSvg, "SVG Image", "*.svg"};

// The information message naming checked sizes an icon file cannot hold;
// `written` tells whether a file with the other sizes was written.
std::string LeftOutMessage(const SizeSet& leftOut, bool written);

// The information message after icon sets were written without a failure.
std::string IconSetsWrittenMessage(std::size_t files, const std::string& folder);

// The format of a name chosen in the export window's save dialog: the
// extension typed (.png, .ico or .icns, in any case) decides; a name without
// one of them takes `listed`, the type chosen in the dialog's list (for the
// icon sets, the name is the folder).
ExportFormat ChosenExportFormat(const std::string& chosenPath, ExportFormat listed);

}  // namespace twk
