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

std::string EditorUsageLine() { return "Usage: tarnwick [--help | --version | FILE.twk | FILE.svg]\n"; }

std::string EditorVersionText() { return "tarnwick " TARNWICK_VERSION "\n"; }

std::string EditorHelpText() {
  return "Usage: tarnwick [FILE.twk | FILE.svg]\n"
         "  Starts the Tarnwick vector icon editor. With FILE.twk, loads that\n"
         "  document once the editor has started, as the popup menu's Load does.\n"
         "  An SVG image (told by its content) opens as a new, unsaved drawing\n"
         "  of 16 x 16 units; Save proposes FILE.twk beside it. Load, a file\n"
         "  dropped on the main window and Ctrl+V (an SVG on the clipboard)\n"
         "  bring SVG images in too, with the tool colour as currentColor.\n"
         "  Settings (palette, last document, last export sizes, \"Fit edges to\n"
         "  pixels\") are kept in Tarnwick.cfg in the folder the editor was\n"
         "  started from. With \"Fit edges to pixels\" on (export window), PNG,\n"
         "  ICO and ICNS exports and the Preview move straight edges onto whole\n"
         "  pixels for each size (see tarnwick-cli(1), --fit); the document is\n"
         "  not changed. Shift held while pressing on the canvas (or with 1, 2,\n"
         "  3) snaps points to cell corners as well as centres. A drawing\n"
         "  not yet saved is kept in $XDG_STATE_HOME/tarnwick (by default\n"
         "  ~/.local/state/tarnwick) and offered back at the next start.\n"
         "\n"
         "Drawing: press the left button on the canvas, drag, release. While the\n"
         "button is held: 1 fixes the start point, 2 and 3 a line's first and\n"
         "second control point (it becomes a curve) or an ellipse's arc start and\n"
         "end angle, Esc drops the item. With Ctrl: click picks an item, drag moves\n"
         "the selection or a handle's point, drag on empty ground selects with a\n"
         "band (Ctrl+Shift adds to the selection); Esc puts things back.\n"
         "\n"
         "Keys:\n"
         "  T            next shape: Line, Rect, Ellipse\n"
         "  M            next paint: solid, fill, dots (also the selected items)\n"
         "  V            next end style: square, center, round (also the selected)\n"
         "  + -          width up / down 0.25 (also the selected items)\n"
         "  W S          opacity up / down 5 (also the selected items)\n"
         "  Space        recolour the selected items with the palette colour\n"
         "  A D          rotate the selected items by 1 degree\n"
         "  arrows       move the selected items by 0.125; with none, every item\n"
         "  Delete       delete the selected items\n"
         "  keypad 8 2 4 6  document height / width one less or more\n"
         "  P            show or hide the Preview; in it (once clicked) 1, 2, 4, 8\n"
         "               magnify its pictures, as its popup menu does\n"
         "  H            hide or show the selection's handles\n"
         "  Ctrl+A, Ctrl+Shift+A  select every item, none\n"
         "  Ctrl+Z, Ctrl+Y        undo, redo\n"
         "  Ctrl+C, Ctrl+X, Ctrl+V  copy, cut, paste items\n"
         "  Ctrl+S       save to the drawing's own file (asks when it has none)\n"
         "  Ctrl+Shift+S save under a name asked for\n"
         "  Ctrl+O, Ctrl+E  load, export\n"
         "  Ctrl+N       new drawing (Ctrl+Z brings the old one back)\n"
         "  Ctrl+Q       close the editor\n"
         "\n"
         "  --help     Prints this text and exits.\n"
         "  --version  Prints the version and exits.\n"
         "  Any other argument prints the usage line and exits with status 2.\n"
         "  See also tarnwick-cli(1) for exporting documents from scripts.\n";
}

}  // namespace twk
