#include "cli/CliArguments.h"

#include <optional>
#include <sstream>

#include "import/SvgColour.h"

namespace twk::cli {
namespace {

// A whole number of pixels from kMinExportEdge to kMaxExportEdge, digits
// only; 0 for anything else.
int EdgeOf(const std::string& item) {
  if (item.empty() || item.size() > 4 || item.find_first_not_of("0123456789") != std::string::npos) return 0;
  const int edge = std::stoi(item);
  return edge >= kMinExportEdge && edge <= kMaxExportEdge ? edge : 0;
}

// The sizes of "all" (the export list) or of a comma list of edge lengths
// such as "16,24,1024".
bool ParseSizes(const std::string& text, SizeSet& sizes, std::string& error) {
  if (text == "all") {
    sizes = SizeSet::WholeList();
    return true;
  }
  sizes = SizeSet();
  std::stringstream list(text);
  std::string item;
  while (std::getline(list, item, ',')) {
    if (!sizes.Add(EdgeOf(item))) {
      error = "unknown size \"" + item + "\" (sizes: whole numbers from 1 to 4096, or all)";
      return false;
    }
  }
  if (sizes.empty() || text.back() == ',') {
    error = "--sizes needs a comma-separated list of sizes or all";
    return false;
  }
  return true;
}

// The value of "--name=value" or of "--name value"; advances `i` past it.
bool OptionValue(const std::vector<std::string>& args, std::size_t& i, const std::string& name, std::string& value,
                 std::string& error) {
  const std::string& arg = args[i];
  if (arg.size() > name.size() && arg.compare(0, name.size() + 1, name + "=") == 0) {
    value = arg.substr(name.size() + 1);
  } else if (i + 1 < args.size()) {
    value = args[++i];
  } else {
    error = name + " needs a value";
    return false;
  }
  if (value.empty()) {
    error = name + " needs a value";
    return false;
  }
  return true;
}

bool IsOption(const std::string& arg, const std::string& name) {
  return arg == name || arg.rfind(name + "=", 0) == 0;
}

}  // namespace

SizeSet ExportSizesOf(const Arguments& args) {
  if (args.sizesGiven) return args.sizes;
  if (args.format != ExportFormat::kSvg) return SizeSet::WholeList();
  SizeSet sizes;
  sizes.Add(16);
  return sizes;
}

bool ParseArguments(const std::vector<std::string>& args, Arguments& parsed, std::string& error) {
  parsed = Arguments{};
  if (args.empty()) {
    error = "no command given (try --help)";
    return false;
  }
  for (const std::string& arg : args) {
    if (arg == "--help" || arg == "-h") {
      parsed.command = Command::kHelp;
      return true;
    }
  }
  if (args.size() == 1 && args[0] == "--version") {
    parsed.command = Command::kVersion;
    return true;
  }
  const std::string& command = args[0];
  if (command == "export") parsed.command = Command::kExport;
  else if (command == "dump") parsed.command = Command::kDump;
  else if (command == "crisp") parsed.command = Command::kCrisp;
  else if (command == "convert") parsed.command = Command::kConvert;
  else {
    error = "unknown command \"" + command + "\" (try --help)";
    return false;
  }
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    std::string value;
    const bool sized = parsed.command == Command::kExport || parsed.command == Command::kCrisp;
    if (sized && arg == "--fit") {
      parsed.fit = true;
    } else if (sized && IsOption(arg, "--sizes")) {
      if (!OptionValue(args, i, "--sizes", value, error) || !ParseSizes(value, parsed.sizes, error)) return false;
      parsed.sizesGiven = true;
    } else if (parsed.command == Command::kExport && IsOption(arg, "--format")) {
      if (!OptionValue(args, i, "--format", value, error)) return false;
      const auto format = FormatFromName(value);
      if (!format) {
        error = "unknown format \"" + value + "\" (formats: png, svg, ico, icns)";
        return false;
      }
      parsed.format = *format;
    } else if (parsed.command == Command::kExport && IsOption(arg, "--set")) {
      if (!OptionValue(args, i, "--set", value, error)) return false;
      std::string bad;
      parsed.sets = ParseIconSets(value, bad);
      if (!parsed.sets) {
        error = "unknown set \"" + bad + "\" (sets: windows, apple, android, web, linux, all)";
        return false;
      }
    } else if (parsed.command == Command::kExport && IsOption(arg, "--background")) {
      if (!OptionValue(args, i, "--background", value, error)) return false;
      const std::optional<std::int32_t> ground = ParseGroundColour(value);
      if (!ground) {
        error = "--background: " + GroundColourError(value);
        return false;
      }
      parsed.ground = *ground;
      parsed.groundGiven = true;
    } else if (parsed.command == Command::kExport && IsOption(arg, "--out")) {
      if (!OptionValue(args, i, "--out", parsed.outputPath, error)) return false;
    } else if (IsOption(arg, "--color")) {
      if (!OptionValue(args, i, "--color", value, error)) return false;
      ColourValue colour;
      if (!ParseColour(value, colour)) {
        error = "unknown colour \"" + value + "\" (colours: #RRGGBB, #RGB, rgb(r, g, b) or a CSS colour name)";
        return false;
      }
      parsed.currentColor = PackRGBA(colour.r, colour.g, colour.b, static_cast<int>(colour.opacity * 255 + 0.5));
    } else if (arg.size() > 1 && arg[0] == '-') {
      error = "unknown option \"" + arg + "\" for " + command;
      return false;
    } else if (parsed.input.empty() || parsed.command == Command::kExport) {
      if (parsed.input.empty()) parsed.input = arg;
      parsed.inputs.push_back(arg);
    } else if (parsed.command == Command::kConvert && parsed.outputPath.empty()) {
      parsed.outputPath = arg;
    } else {
      error = "unexpected argument \"" + arg + "\"";
      return false;
    }
  }
  if (parsed.input.empty()) {
    error = command + " needs a document file";
    return false;
  }
  if (parsed.command == Command::kConvert && parsed.outputPath.empty()) {
    error = "convert needs the document file to write (convert IN.svg OUT.twk)";
    return false;
  }
  // The sets fix their own files and sizes, all inside one folder.
  if (parsed.sets && (parsed.sizesGiven || parsed.format != ExportFormat::kPng)) {
    error = "--set takes neither --format nor --sizes";
    return false;
  }
  if (parsed.groundGiven && !parsed.sets) {
    error = "--background goes with --set";
    return false;
  }
  if (parsed.sets && parsed.outputPath.empty()) {
    error = "--set needs --out DIR";
    return false;
  }
  if (parsed.sets) parsed.format = ExportFormat::kIconSets;
  // An SVG document has one width and height.
  if (parsed.format == ExportFormat::kSvg && parsed.sizesGiven && parsed.sizes.size() > 1) {
    error = "--format svg takes one size";
    return false;
  }
  return true;
}

const char* UsageText() {
  return "Usage:\n"
         "  Wherever a document FILE.twk is taken, an SVG image is taken too (told\n"
         "  by its content, not its name): its viewBox is drawn onto the 16 x 16\n"
         "  units and what items cannot draw (text, images, gradients, filled\n"
         "  shapes other than rectangles, circles, ellipses and single curves, ...)\n"
         "  is left out and named on stderr. --color COLOUR sets what the SVG's\n"
         "  currentColor paints (default black), e.g. --color '#1d4ed8'.\n"
         "  tarnwick-cli export FILE.twk [--format png|svg|ico|icns]\n"
         "                     [--sizes 16,32,...|all] [--out PATH] [--fit]\n"
         "      Writes the drawing's full 16 x 16 units. BASE is PATH (default FILE)\n"
         "      without its extension; when PATH is a folder, FILE's name without its\n"
         "      extension inside it. Existing files are replaced.\n"
         "      png (default): one square PNG per size (all twelve by default),\n"
         "        largest first, named BASE.NxN.png. Failed files are listed one per\n"
         "        line on stderr and the exit status is 1.\n"
         "      svg: one SVG document BASE.svg; one size sets its width and height\n"
         "        in pixels (default 16).\n"
         "      ico: one Windows icon BASE.ico with the list sizes from 16 to 256\n"
         "        (it holds any size from 1 to 256).\n"
         "      icns: one Apple icon BASE.icns with the sizes 16, 32, 64, 128, 256,\n"
         "        512 and 1024.\n"
         "      Without --sizes each format takes every size it can hold; sizes it\n"
         "      cannot hold are named on stderr and left out.\n"
         "      Sizes: 16,32,48,64,96,128,160,192,256,512,768,1024; png and svg also\n"
         "      take any other whole number of pixels from 1 to 4096.\n"
         "      --fit: fits each PNG, ICO and ICNS picture to its pixels: the\n"
         "        straight horizontal and vertical edges move to whole pixels (by\n"
         "        at most about a pixel at small sizes), stroke widths become whole\n"
         "        pixels, touching items stay touching and symmetric ones symmetric,\n"
         "        circles stay round; diagonals and curves follow the ends they\n"
         "        touch. Costs: a centred shape of odd pixel size may lose a pixel,\n"
         "        1-unit strokes become 2 px at 24 and 40, hairlines 1 px, stacked\n"
         "        strokes that cannot all keep their width part, an open arc may go\n"
         "        up to 1 px out of round. The document is not changed; SVG is never\n"
         "        fitted.\n"
         "  tarnwick-cli export FILE.twk --set SET[,SET...] --out DIR [--fit]\n"
         "                     [--background '#RRGGBB']\n"
         "      Writes the icon sets of the platforms named (windows, apple, android,\n"
         "      web, linux, or all) into DIR, made if missing inside an existing\n"
         "      folder. NAME is FILE's name without extension, RES that name as an\n"
         "      Android resource name (a-z, 0-9 and _; a leading digit gets ic_),\n"
         "      THEME that name as an icon theme name (a-z, 0-9, -, _ and .; other\n"
         "      characters, spaces too, become -). --background is the opaque ground\n"
         "      (default #FFFFFF) under the pictures that may not be transparent.\n"
         "      Unless said otherwise a PNG is the PNG export of its size; each size\n"
         "      is rendered once.\n"
         "      windows: windows/NAME.ico (16, 20, 24, 32, 40, 48, 64, 256);\n"
         "        windows/msix/Square44x44Logo.targetsize-N.png, with _altform-unplated\n"
         "        and _altform-lightunplated forms (N 16, 20, 24, 30, 32, 36, 40, 48,\n"
         "        60, 64, 72, 80, 96, 256); Square44x44Logo, Square150x150Logo (the\n"
         "        drawing in its middle half) and StoreLogo .scale-100, 125, 150, 200\n"
         "        and 400 (44, 150 and 50 px at 100); manifest-snippet.xml.\n"
         "      apple: apple/NAME.icns; apple/NAME.iconset/icon_16x16.png,\n"
         "        icon_16x16@2x.png ... icon_512x512@2x.png (as iconutil takes);\n"
         "        apple/AppIcon.appiconset/NAME-1024.png (opaque, the drawing over 80%),\n"
         "        NAME-1024-dark.png (clear), NAME-1024-tinted.png (grey) and\n"
         "        Contents.json.\n"
         "      android: android/res/mipmap-mdpi/ic_launcher.png (48), -hdpi (72),\n"
         "        -xhdpi (96), -xxhdpi (144), -xxxhdpi (192); android/play_store_512.png;\n"
         "        android/res/drawable/RES.xml, a vector drawable (48 dp); the adaptive\n"
         "        icon res/mipmap-anydpi-v26/ic_launcher.xml and ic_launcher_round.xml,\n"
         "        its layers res/drawable/ic_launcher_foreground.xml and\n"
         "        ic_launcher_monochrome.xml (108 dp, the drawing over the middle 48)\n"
         "        and res/values/ic_launcher_background.xml (the ground colour).\n"
         "      web: web/favicon.ico (16, 32, 48), web/favicon.svg, apple-touch-icon.png\n"
         "        (180, opaque, the drawing over 80%), icon-192.png, icon-512.png,\n"
         "        icon-maskable-192.png and -512.png (opaque, the drawing inside the\n"
         "        safe circle), site.webmanifest, head.html.\n"
         "      linux: linux/hicolor/NxN/apps/THEME.png (16, 22, 24, 32, 48, 64, 128,\n"
         "        256, 512), linux/hicolor/scalable/apps/THEME.svg and\n"
         "        linux/hicolor/symbolic/apps/THEME-symbolic.svg (one colour).\n"
         "      A file that fails is named on stderr, the others are still written,\n"
         "      and the exit status is 1. --fit fits every PNG, ICO and ICNS picture,\n"
         "      a drawing placed smaller than its image for the pixels it spans.\n"
         "  tarnwick-cli export FILE... [any of the options above]\n"
         "      Exports several drawings in one call, each as a call of its own\n"
         "      would, for whole icon sets. With --out DIR, DIR is a folder (made\n"
         "      if missing inside an existing folder) and each drawing's files are\n"
         "      named after its file name without extension: DIR/NAME.16x16.png,\n"
         "      DIR/NAME.ico ..., with --set the folder DIR/NAME/; without --out\n"
         "      they go next to each drawing. A drawing that cannot be read, whose\n"
         "      files would replace those of an earlier one or one of the inputs,\n"
         "      or a file of which fails or leaves something out gets one line on\n"
         "      stderr naming it; the others are still written, and the exit\n"
         "      status is 1 if any failed. The drawings are shared among the\n"
         "      processor cores; on a terminal a progress line shows how many are\n"
         "      done. SIGINT and SIGTERM stop it after the drawings in progress.\n"
         "  tarnwick-cli crisp FILE.twk [--sizes 16,32,...|all] [--fit]\n"
         "      Prints, per size (all twelve by default), NxN, a tab and the\n"
         "      crispness M of the exported picture (fitted with --fit): 100 x the\n"
         "      half-tone weight of the pixels along the straight horizontal and\n"
         "      vertical edges, away from their ends, over their number. 0 means\n"
         "      every straight edge is crisp; a 1-unit outline half a pixel off\n"
         "      scores about 50. Exits 0.\n"
         "  tarnwick-cli convert IN.svg OUT.twk\n"
         "      Writes the SVG image IN.svg as the Tarnwick document OUT.twk\n"
         "      (replaced if it exists).\n"
         "  tarnwick-cli dump FILE.twk\n"
         "      Prints the compact XML that saving the document would write,\n"
         "      followed by a line feed.\n"
         "  tarnwick-cli --help\n"
         "      Prints this text.\n"
         "  tarnwick-cli --version\n"
         "      Prints the version.\n";
}

const char* VersionText() { return "tarnwick-cli " TARNWICK_VERSION "\n"; }

}  // namespace twk::cli
