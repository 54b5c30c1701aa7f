#pragma once
// Path rules shared by the Save, Load and export dialogs.

#include <string>

namespace twk {

// The chosen path with its file name's extension removed: the folder part
// (up to and including the last "/" or "\"), then the file name cut before
// its extension dot. "house.png" -> "house", "a.b.c" -> "a.b",
// "house." -> "house.", ".twk" -> ".twk", "plan.b final" -> "plan.b final".
std::string ExtensionBase(const std::string& path);

// Where Save first proposes to write a drawing brought in from a file of
// another kind (an SVG): NAME.twk beside it, "/art/star.svg" ->
// "/art/star.twk". Never `path` itself, even when that is named like a
// document ("star.twk" -> "star.twk.twk"), and the proposal stays as it is
// when Save applies the extension rule to it.
std::string DocumentPathBeside(const std::string& path);

// How a dialog is preset from a remembered path: split at the last "/";
// `folder` is the part before it (empty without a separator) and `name` the
// part after it, dropped when it holds a character file names may not hold.
// A path directly under the root ("/x") has the folder "/".
struct DialogPreset {
  std::string folder;
  std::string name;
};
DialogPreset PresetFromPath(const std::string& preset);

}  // namespace twk
