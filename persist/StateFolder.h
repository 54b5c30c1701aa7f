#pragma once
// The folder where the program keeps files for itself, and the lock files
// that tell which of them belong to a running editor.

#include <string>

#include "persist/FileAccess.h"

namespace twk {

// $XDG_STATE_HOME/tarnwick, or ~/.local/state/tarnwick when that is unset
// or not an absolute path. Empty when neither it nor $HOME is known.
std::string TarnwickStateFolder();

// Makes `folder` and the folders above it that are missing (owner only);
// false when it still is no folder.
bool MakeFolders(const std::string& folder);

// Takes the lock of the file at `path` (made when missing, or only made
// when `fresh` and refused when it exists) and holds it for the life of the
// handle; an empty handle when another process holds it. A lock file that
// its last holder removed while this one waited is never taken.
FileHandle HoldLockFile(const std::string& path, bool fresh);

// Removes the lock file at `path` while still holding it, then lets go.
void DropLockFile(const std::string& path, FileHandle& lock);

}  // namespace twk
