#pragma once
// The icon sets of the platforms an app ships on, each a fixed folder layout
// of PNG, icon, SVG, vector drawable, JSON, XML and HTML files made from one
// drawing, planned here as the list of files a set export writes, with the
// place each picture gives the drawing.

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

// `name` made an icon theme name: lower case ASCII letters, digits, "-",
// "_" and "." (upper case letters are lowered, anything else, a space
// included, becomes "-"); nothing at all becomes "icon".
std::string IconThemeName(const std::string& name);

enum class SetFileKind {
  kPng,              // one size
  kIco,              // a Windows icon of its sizes
  kIcns,             // an Apple icon of its sizes
  kSvg,              // the SVG export at its one size
  kSymbolicSvg,      // the SVG export at its one size, in one colour
  kVectorDrawable,   // an Android vector drawable
  kAdaptiveIcon,     // an Android <adaptive-icon> naming its three layers
  kAdaptiveLayer,    // the drawable of an adaptive icon's foreground
  kMonochromeLayer,  // the same in one opaque colour, for themed icons
  kGroundResource,   // the Android colour resource of the ground colour
  kAppIconContents,  // the Contents.json of an iOS app icon set
  kWebManifest,      // a web app manifest naming the web set's icons
  kWebHead,          // the <link> lines a web page's <head> takes
  kMsixManifest,     // the lines of an MSIX package manifest naming its logos
};

// How a PNG of a set looks beside the plain export of its size.
enum class SetLook {
  kPlain,  // as drawn
  kGrey,   // every pixel the grey of its own luminance, its alpha kept
};

struct SetFile {
  std::string path;  // relative to the export folder, "/" between parts
  SetFileKind kind = SetFileKind::kPng;
  SizeSet sizes;     // the image sizes in the file; none for the text files
  // kPng: the edge in pixels the drawing's 16 units span, centred in the
  // image; the image's own edge when it fills the image.
  int span = 0;
  bool opaque = false;  // kPng: laid on the ground colour
  SetLook look = SetLook::kPlain;
  bool operator==(const SetFile&) const = default;
};

// The places platforms keep free around an icon's drawing.
// Android adaptive icons: a tile of 108 dp, of which launchers show the
// central 72 dp through their mask and never cut the central 66 dp circle;
// the drawing spans the central 48 dp, so even its corners stay shown.
inline constexpr int kAdaptiveTileDp = 108;
inline constexpr int kAdaptiveShownDp = 72;
inline constexpr int kAdaptiveSafeDp = 66;
inline constexpr int kAdaptiveDrawingDp = 48;
// Maskable web icons: only the central circle of this radius, as a share of
// the width, survives every mask.
inline constexpr double kMaskableSafeRadius = 0.4;
// Opaque Apple images: the drawing spans this share of the image.
inline constexpr double kAppleDrawingShare = 0.8;

// The edge in pixels of the drawing centred in an image of `edge` pixels
// that spans at most `share` of it: whole pixels on every side, so the
// span has the image's parity.
int CentredSpan(int edge, double share);
// The span of a maskable web icon: the drawing's square inside the safe circle.
int MaskableSpan(int edge);

// The files of `sets` for a drawing called `name` (a document's file name
// without extension), set by set in set order.
std::vector<SetFile> PlanIconSets(IconSetMask sets, const std::string& name);

// The one iOS app icon PNG of the apple set, named in its Contents.json.
std::string AppIconFileName(const std::string& name);
// Its dark and tinted looks, named beside it.
std::string AppIconDarkFileName(const std::string& name);
std::string AppIconTintedFileName(const std::string& name);

// The msix logos' edges at scale 100; each is also written at 125, 150,
// 200 and 400 percent.
struct MsixLogo {
  const char* name;
  int edge;
};
inline constexpr MsixLogo kMsixLogos[] = {{"Square44x44Logo", 44}, {"Square150x150Logo", 150}, {"StoreLogo", 50}};
inline constexpr int kMsixScales[] = {100, 125, 150, 200, 400};
// The edge of `logo` at `scale` percent, rounded half up.
int MsixEdge(const MsixLogo& logo, int scale);

}  // namespace twk
