#pragma once
// The command line of tarnwick-cli, parsed into what to do.

#include <string>
#include <vector>

#include <cstdint>

#include "document/Colour.h"
#include "export/ExportFormat.h"
#include "export/GroundColour.h"
#include "export/IconSets.h"
#include "export/SizeSet.h"

namespace twk::cli {

enum class Command { kHelp, kVersion, kExport, kDump, kCrisp, kConvert };

struct Arguments {
  Command command = Command::kHelp;
  std::string input;       // the drawing: a .twk document or an SVG image (export: the first of `inputs`)
  std::vector<std::string> inputs;  // every drawing named, in order; export takes several
  SizeSet sizes = SizeSet::WholeList();  // export: the edges asked for
  bool sizesGiven = false; // export: --sizes was given
  ExportFormat format = ExportFormat::kPng;  // export: --format
  std::string outputPath;  // export: the chosen path; empty = next to the input; convert: the .twk written
  IconSetMask sets = 0;    // export: --set, the icon sets written into --out
  bool fit = false;        // export, crisp: --fit (raster pictures fitted to their pixels)
  std::int32_t ground = kDefaultGround;  // export --set: --background, the sets' ground colour
  bool groundGiven = false;
  std::int32_t currentColor = PackRGBA(0, 0, 0, 255);  // --color: what an SVG's currentColor paints
};

// The sizes an export writes: --sizes, or without it every size the format
// holds (PNG and the icon formats) and 16 pixels for SVG.
SizeSet ExportSizesOf(const Arguments& args);

// Parses `args` (without the program name). Returns false with a one-line
// `error` for a bad command line.
bool ParseArguments(const std::vector<std::string>& args, Arguments& parsed, std::string& error);

// The --help text.
const char* UsageText();

// The --version line.
const char* VersionText();

}  // namespace twk::cli
