#pragma once
// The icon sets of the platforms an app ships on, each a fixed folder layout
// of PNG, icon, SVG, vector drawable and JSON files made from one drawing,
// planned here as the list of files a set export writes.

#include <string>
#include <vector>

#include "export/SizeSet.h"

namespace twk {

// One bit per platform's set.
using IconSetMask = unsigned;
inline constexpr IconSetMask kWindowsSet = 1u << 0;
inline constexpr IconSetMask kAppleSet = 1u << 1;
inline constexpr IconSetMask kAndroidSet = 1u << 2;
inline constexpr IconSetMask kWebSet = 1u << 3;
inline constexpr IconSetMask kLinuxSet = 1u << 4;
inline constexpr IconSetMask kAllIconSets = (1u << 5) - 1;

// The sets of a comma list of names ("windows", "apple", "android", "web",
// "linux", "all"); 0 with the offending name in `bad` for an unknown or
// empty name.
IconSetMask ParseIconSets(const std::string& list, std::string& bad);

// `name` made a valid Android resource name: lower case letters, digits and
// "_" (upper case letters are lowered, anything else becomes "_"); a leading
// digit, or nothing at all, gets "ic_" in front.
std::string AndroidResourceName(const std::string& name);

enum class SetFileKind {
  kPng,              // one size
  kIco,              // a Windows icon of its sizes
  kIcns,             // an Apple icon of its sizes
  kSvg,              // the SVG export at its one size
  kVectorDrawable,   // an Android vector drawable
  kAppIconContents,  // the Contents.json of an iOS app icon set
  kWebManifest,      // a web app manifest naming the web set's icons
};

struct SetFile {
  std::string path;  // relative to the export folder, "/" between parts
  SetFileKind kind = SetFileKind::kPng;
  SizeSet sizes;     // the image sizes in the file; none for the text files
  bool operator==(const SetFile&) const = default;
};

// The files of `sets` for a drawing called `name` (a document's file name
// without extension), set by set in set order.
std::vector<SetFile> PlanIconSets(IconSetMask sets, const std::string& name);

// The one iOS app icon PNG of the apple set, named in its Contents.json.
std::string AppIconFileName(const std::string& name);

}  // namespace twk
