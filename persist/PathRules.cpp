#include "persist/PathRules.h"

#include <cstring>

namespace twk {

std::string ExtensionBase(const std::string& path) {
  const std::size_t separator = path.find_last_of("/\\");
  const std::size_t nameStart = separator == std::string::npos ? 0 : separator + 1;
  // Scan the file name backwards; the first space or dot ends the scan.
  for (std::size_t i = path.size(); i > nameStart; --i) {
    const char c = path[i - 1];
    if (c == ' ') break;
    if (c != '.') continue;
    const std::size_t dot = i - 1;
    if (dot > nameStart && dot + 1 < path.size()) return path.substr(0, dot);
    break;
  }
  return path;
}

std::string DocumentPathBeside(const std::string& path) {
  const std::string beside = ExtensionBase(path) + ".twk";
  return beside == path ? path + ".twk" : beside;
}

namespace {

bool IsForbiddenInFileName(unsigned char c) { return c < 0x20 || std::strchr("\"*/:<>?\\|", c) != nullptr; }

}  // namespace

DialogPreset PresetFromPath(const std::string& preset) {
  DialogPreset result;
  const std::size_t separator = preset.rfind('/');
  if (separator == std::string::npos) {
    result.name = preset;
  } else {
    // A path directly under the root keeps "/" as its folder.
    result.folder = separator == 0 ? std::string("/") : preset.substr(0, separator);
    result.name = preset.substr(separator + 1);
  }
  for (const char c : result.name) {
    if (c == '\0' || IsForbiddenInFileName(static_cast<unsigned char>(c))) {
      result.name.clear();
      break;
    }
  }
  return result;
}

}  // namespace twk
