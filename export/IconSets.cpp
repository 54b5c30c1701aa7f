#include "export/IconSets.h"

#include <cmath>
#include <sstream>

namespace twk {

namespace {

struct SetEntry {
  IconSetMask set;
  const char* name;
};
constexpr SetEntry kSets[] = {
    {kWindowsSet, "windows"}, {kAppleSet, "apple"}, {kAndroidSet, "android"}, {kWebSet, "web"}, {kLinuxSet, "linux"}};

SizeSet Sizes(std::initializer_list<int> edges) {
  SizeSet set;
  for (int edge : edges) set.Add(edge);
  return set;
}

void AddPng(std::vector<SetFile>& files, std::string path, int edge) {
  files.push_back({std::move(path), SetFileKind::kPng, Sizes({edge}), edge});
}

// A PNG whose drawing spans `span` of its `edge` pixels.
void AddPlaced(std::vector<SetFile>& files, std::string path, int edge, int span, bool opaque,
               SetLook look = SetLook::kPlain) {
  files.push_back({std::move(path), SetFileKind::kPng, Sizes({edge}), span, opaque, look});
}

void PlanWindows(std::vector<SetFile>& files, const std::string& name) {
  files.push_back({"windows/" + name + ".ico", SetFileKind::kIco, Sizes({16, 20, 24, 32, 40, 48, 64, 256})});
  // Packaged apps: the app list and taskbar icon at each target size, plated
  // on the accent colour or unplated on dark and light taskbars (the same
  // transparent picture serves all three), then the logos per scale.
  for (int edge : {16, 20, 24, 30, 32, 36, 40, 48, 60, 64, 72, 80, 96, 256}) {
    const std::string stem = "windows/msix/Square44x44Logo.targetsize-" + std::to_string(edge);
    for (const char* form : {"", "_altform-unplated", "_altform-lightunplated"})
      AddPng(files, stem + form + ".png", edge);
  }
  for (const MsixLogo& logo : kMsixLogos) {
    for (int scale : kMsixScales) {
      const int edge = MsixEdge(logo, scale);
      const std::string path = std::string("windows/msix/") + logo.name + ".scale-" + std::to_string(scale) + ".png";
      // The medium tile keeps its drawing to the middle half, as the tile's
      // name is written under it.
      AddPlaced(files, path, edge, logo.edge == 150 ? CentredSpan(edge, 0.5) : edge, false);
    }
  }
  files.push_back({"windows/msix/manifest-snippet.xml", SetFileKind::kMsixManifest, {}});
}

void PlanApple(std::vector<SetFile>& files, const std::string& name) {
  files.push_back({"apple/" + name + ".icns", SetFileKind::kIcns, Sizes({16, 32, 64, 128, 256, 512, 1024})});
  // The folder iconutil turns into an .icns: each point size once and twice.
  const std::string iconset = "apple/" + name + ".iconset/";
  for (int points : {16, 32, 128, 256, 512}) {
    const std::string stem = iconset + "icon_" + std::to_string(points) + "x" + std::to_string(points);
    AddPng(files, stem + ".png", points);
    AddPng(files, stem + "@2x.png", 2 * points);
  }
  // App Store Connect refuses an app icon with transparent pixels: the plain
  // look lies on the ground colour. The dark look keeps its ground clear for
  // the system's backdrop; the tinted one is grey for the system's tint.
  const std::string appIcon = "apple/AppIcon.appiconset/";
  const int span = CentredSpan(1024, kAppleDrawingShare);
  AddPlaced(files, appIcon + AppIconFileName(name), 1024, span, true);
  AddPlaced(files, appIcon + AppIconDarkFileName(name), 1024, span, false);
  AddPlaced(files, appIcon + AppIconTintedFileName(name), 1024, span, false, SetLook::kGrey);
  files.push_back({"apple/AppIcon.appiconset/Contents.json", SetFileKind::kAppIconContents, {}});
}

void PlanAndroid(std::vector<SetFile>& files, const std::string& name) {
  const std::pair<const char*, int> densities[] = {
      {"mdpi", 48}, {"hdpi", 72}, {"xhdpi", 96}, {"xxhdpi", 144}, {"xxxhdpi", 192}};
  for (const auto& [density, edge] : densities)
    AddPng(files, std::string("android/res/mipmap-") + density + "/ic_launcher.png", edge);
  AddPng(files, "android/play_store_512.png", 512);
  files.push_back({"android/res/drawable/" + AndroidResourceName(name) + ".xml", SetFileKind::kVectorDrawable, {}});
  // Android 8 and later: the adaptive icon (square and round launchers
  // alike) and its layers; Android 13 themes icons from the monochrome one.
  for (const char* icon : {"ic_launcher", "ic_launcher_round"})
    files.push_back({std::string("android/res/mipmap-anydpi-v26/") + icon + ".xml", SetFileKind::kAdaptiveIcon, {}});
  files.push_back({"android/res/drawable/ic_launcher_foreground.xml", SetFileKind::kAdaptiveLayer, {}});
  files.push_back({"android/res/drawable/ic_launcher_monochrome.xml", SetFileKind::kMonochromeLayer, {}});
  files.push_back({"android/res/values/ic_launcher_background.xml", SetFileKind::kGroundResource, {}});
}

void PlanWeb(std::vector<SetFile>& files) {
  files.push_back({"web/favicon.ico", SetFileKind::kIco, Sizes({16, 32, 48})});
  files.push_back({"web/favicon.svg", SetFileKind::kSvg, Sizes({16})});
  // iOS shows a touch icon's transparent pixels black.
  AddPlaced(files, "web/apple-touch-icon.png", 180, CentredSpan(180, kAppleDrawingShare), true);
  AddPng(files, "web/icon-192.png", 192);
  AddPng(files, "web/icon-512.png", 512);
  for (int edge : {192, 512})
    AddPlaced(files, "web/icon-maskable-" + std::to_string(edge) + ".png", edge, MaskableSpan(edge), true);
  files.push_back({"web/site.webmanifest", SetFileKind::kWebManifest, {}});
  files.push_back({"web/head.html", SetFileKind::kWebHead, {}});
}

void PlanLinux(std::vector<SetFile>& files, const std::string& drawingName) {
  const std::string name = IconThemeName(drawingName);
  for (int edge : {16, 22, 24, 32, 48, 64, 128, 256, 512}) {
    const std::string n = std::to_string(edge);
    AddPng(files, "linux/hicolor/" + n + "x" + n + "/apps/" + name + ".png", edge);
  }
  // Drawn at any size by the desktop: written as the SVG export at 256
  // pixels, so dot patterns stay dots where a large icon shows them.
  files.push_back({"linux/hicolor/scalable/apps/" + name + ".svg", SetFileKind::kSvg, Sizes({256})});
  // GNOME's one-colour icon, recoloured to the theme's text colour.
  files.push_back({"linux/hicolor/symbolic/apps/" + name + "-symbolic.svg", SetFileKind::kSymbolicSvg, Sizes({16})});
}

}  // namespace

IconSetMask ParseIconSets(const std::string& list, std::string& bad) {
  IconSetMask sets = 0;
  std::stringstream in(list);
  std::string item;
  bool any = false;
  while (std::getline(in, item, ',')) {
    any = true;
    IconSetMask found = item == "all" ? kAllIconSets : 0;
    for (const SetEntry& entry : kSets) {
      if (item == entry.name) found = entry.set;
    }
    if (!found) {
      bad = item;
      return 0;
    }
    sets |= found;
  }
  if (!any || list.back() == ',') {
    bad.clear();
    return 0;
  }
  return sets;
}

std::string AndroidResourceName(const std::string& name) {
  std::string res;
  for (const char c : name) {
    // A character of several UTF-8 bytes becomes one "_".
    if ((static_cast<unsigned char>(c) & 0xC0) == 0x80) continue;
    if (c >= 'A' && c <= 'Z') res.push_back(static_cast<char>(c - 'A' + 'a'));
    else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) res.push_back(c);
    else res.push_back('_');
  }
  if (res.empty() || (res[0] >= '0' && res[0] <= '9')) res = "ic_" + res;
  return res;
}

std::string IconThemeName(const std::string& name) {
  std::string theme;
  for (const char c : name) {
    // A character of several UTF-8 bytes becomes one "-".
    if ((static_cast<unsigned char>(c) & 0xC0) == 0x80) continue;
    if (c >= 'A' && c <= 'Z') theme.push_back(static_cast<char>(c - 'A' + 'a'));
    else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.') theme.push_back(c);
    else theme.push_back('-');
  }
  // "." and ".." name folders, not icons.
  if (theme.find_first_not_of('.') == std::string::npos) theme = "icon" + theme;
  return theme;
}

int CentredSpan(int edge, double share) {
  int span = static_cast<int>(std::floor(edge * share + 1e-9));
  if ((edge - span) % 2 != 0) --span;
  return span;
}

int MaskableSpan(int edge) { return CentredSpan(edge, kMaskableSafeRadius * std::sqrt(2.0)); }

int MsixEdge(const MsixLogo& logo, int scale) { return (logo.edge * scale + 50) / 100; }

std::string AppIconFileName(const std::string& name) { return name + "-1024.png"; }
std::string AppIconDarkFileName(const std::string& name) { return name + "-1024-dark.png"; }
std::string AppIconTintedFileName(const std::string& name) { return name + "-1024-tinted.png"; }

std::vector<SetFile> PlanIconSets(IconSetMask sets, const std::string& name) {
  std::vector<SetFile> files;
  if (sets & kWindowsSet) PlanWindows(files, name);
  if (sets & kAppleSet) PlanApple(files, name);
  if (sets & kAndroidSet) PlanAndroid(files, name);
  if (sets & kWebSet) PlanWeb(files);
  if (sets & kLinuxSet) PlanLinux(files, name);
  return files;
}

}  // namespace twk
