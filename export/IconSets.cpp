#include "export/IconSets.h"

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
  files.push_back({std::move(path), SetFileKind::kPng, Sizes({edge})});
}

void PlanWindows(std::vector<SetFile>& files, const std::string& name) {
  files.push_back({"windows/" + name + ".ico", SetFileKind::kIco, Sizes({16, 20, 24, 32, 40, 48, 64, 256})});
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
  AddPng(files, "apple/AppIcon.appiconset/" + AppIconFileName(name), 1024);
  files.push_back({"apple/AppIcon.appiconset/Contents.json", SetFileKind::kAppIconContents, {}});
}

void PlanAndroid(std::vector<SetFile>& files, const std::string& name) {
  const std::pair<const char*, int> densities[] = {
      {"mdpi", 48}, {"hdpi", 72}, {"xhdpi", 96}, {"xxhdpi", 144}, {"xxxhdpi", 192}};
  for (const auto& [density, edge] : densities)
    AddPng(files, std::string("android/res/mipmap-") + density + "/ic_launcher.png", edge);
  AddPng(files, "android/play_store_512.png", 512);
  files.push_back({"android/res/drawable/" + AndroidResourceName(name) + ".xml", SetFileKind::kVectorDrawable, {}});
}

void PlanWeb(std::vector<SetFile>& files) {
  files.push_back({"web/favicon.ico", SetFileKind::kIco, Sizes({16, 32, 48})});
  files.push_back({"web/favicon.svg", SetFileKind::kSvg, Sizes({16})});
  AddPng(files, "web/apple-touch-icon.png", 180);
  AddPng(files, "web/icon-192.png", 192);
  AddPng(files, "web/icon-512.png", 512);
  files.push_back({"web/site.webmanifest", SetFileKind::kWebManifest, {}});
}

void PlanLinux(std::vector<SetFile>& files, const std::string& name) {
  for (int edge : {16, 22, 24, 32, 48, 64, 128, 256, 512}) {
    const std::string n = std::to_string(edge);
    AddPng(files, "linux/hicolor/" + n + "x" + n + "/apps/" + name + ".png", edge);
  }
  // Drawn at any size by the desktop: written as the SVG export at 256
  // pixels, so dot patterns stay dots where a large icon shows them.
  files.push_back({"linux/hicolor/scalable/apps/" + name + ".svg", SetFileKind::kSvg, Sizes({256})});
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

std::string AppIconFileName(const std::string& name) { return name + "-1024.png"; }

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
