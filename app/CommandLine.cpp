#include "app/CommandLine.h"

namespace twk {

EditorCommandLine ParseEditorCommandLine(const std::vector<std::string>& args) {
  EditorCommandLine line;
  bool optionsEnded = false;
  for (const std::string& arg : args) {
    if (!optionsEnded && (arg == "--help" || arg == "-h")) return {StartAction::kHelp, {}};
    if (!optionsEnded && arg == "--version") return {StartAction::kVersion, {}};
    if (!optionsEnded && arg == "--") {
      optionsEnded = true;
    } else if ((!optionsEnded && arg.size() > 1 && arg[0] == '-') || arg.empty() || !line.file.empty()) {
      return {StartAction::kUsageError, {}};
    } else {
      line.file = arg;
    }
  }
  return line;
}

std::string EditorUsageLine() { return "Usage: tarnwick [--help | --version | FILE.twk]\n"; }

std::string EditorVersionText() { return "tarnwick " TARNWICK_VERSION "\n"; }

std::string EditorHelpText() {
  return "Usage: tarnwick [FILE.twk]\n"
         "  Starts the Tarnwick vector icon editor. With FILE.twk, loads that\n"
         "  document once the editor has started, as the popup menu's Load does.\n"
         "  Settings (palette, last document, last export sizes, \"Fit edges to\n"
         "  pixels\") are kept in Tarnwick.cfg in the folder the editor was\n"
         "  started from. With \"Fit edges to pixels\" on (export window), PNG,\n"
         "  ICO and ICNS exports and the Preview move straight edges onto whole\n"
         "  pixels for each size (see tarnwick-cli(1), --fit); the document is\n"
         "  not changed. Shift held while pressing on the canvas (or with 1, 2,\n"
         "  3) snaps points to cell corners as well as centres. A drawing\n"
         "  not yet saved is kept in $XDG_STATE_HOME/tarnwick (by default\n"
         "  ~/.local/state/tarnwick) and offered back at the next start.\n"
         "  --help     Prints this text and exits.\n"
         "  --version  Prints the version and exits.\n"
         "  Any other argument prints the usage line and exits with status 2.\n"
         "  See also tarnwick-cli(1) for exporting documents from scripts.\n";
}

}  // namespace twk
