#pragma once
// The JSON files of the icon sets.

#include <string>

namespace twk {

// An iOS app icon set's Contents.json: `pngName`, 1024 x 1024 pixels, as the
// one universal iOS image of the set (the single-size form).
std::string AppIconContentsJson(const std::string& pngName);

// The web set's manifest: the app's `name` and its 192 and 512 pixel icons.
std::string WebManifestJson(const std::string& name);

}  // namespace twk
