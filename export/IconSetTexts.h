#pragma once
// The text files of the icon sets: JSON, XML and HTML naming the sets'
// pictures for the tools of each platform.

#include <cstdint>
#include <string>

namespace twk {

// An iOS app icon set's Contents.json for a drawing called `name`: its
// 1024 x 1024 pixel images as the universal iOS app icon, the plain one
// first, then the dark and the tinted looks, each marked with its luminosity
// appearance.
std::string AppIconContentsJson(const std::string& name);

// The web set's manifest: the app's `name` (and, cut to 12 characters, its
// short name), where it starts and how it shows, `ground` as its background
// and theme colour, the plain 192 and 512 pixel icons for any use and the
// maskable ones for masks, never both purposes in one entry.
std::string WebManifestJson(const std::string& name, std::int32_t ground);

// The <link> lines for a page's <head>: the favicons, the touch icon and the
// manifest, all at the site's root.
std::string WebHeadHtml();

// An Android <adaptive-icon> of the ground colour, the foreground drawable
// and the monochrome drawable.
std::string AdaptiveIconXml();

// The Android colour resource ic_launcher_background of `ground`.
std::string GroundResourceXml(std::int32_t ground);

// The parts of an MSIX Package.appxmanifest that name the msix logos (kept
// in the package's Assets folder), the app shown as `name`.
std::string MsixManifestXml(const std::string& name);

}  // namespace twk
