#pragma once
// The folder where the program keeps files for itself, and the lock files
// that tell which of them belong to a running editor. Everything in it is
// reached through the folder's descriptor and never through a link, so
// nothing planted there leads a write or a removal outside it.

#include <optional>
#include <string>

#include "persist/FileAccess.h"

namespace twk {

// $XDG_STATE_HOME/tarnwick, or ~/.local/state/tarnwick when that is unset
// or not an absolute path (a relative one is not valid there). "." and ".."
// are worked out by name ("/x/made/../st" is "/x/st"), so no folder named
// only on the way is made. Empty when neither it nor $HOME is known.
std::string TarnwickStateFolder();

enum class FolderOpen {
  kOpened,
  kCannotMake,    // missing and cannot be made, or cannot be opened
  kNotOwnFolder,  // a link, a file, or a folder owned by someone else
};

// Opens the folder `name` inside the open folder `parent` (or, with
// AT_FDCWD, at the absolute path `name`), made owner-only when missing. A
// link, anything but a folder, or a folder another user owns is refused.
FolderOpen OpenOwnFolder(int parent, const std::string& name, FileHandle& folder);
// OpenOwnFolder for the state folder at `path`, making the folders above it
// that are missing. A path that is not absolute, or that has "." or ".."
// parts, is not made (kCannotMake).
FolderOpen OpenStateFolder(const std::string& path, FileHandle& folder);

// Takes the lock of the file `name` in `folder` (made when missing, or only
// made when `fresh` and refused when it exists) and holds it for the life of
// the handle; an empty handle when another process holds it, or when the
// name is not a regular file. A lock file that its last holder removed while
// this one waited is never taken. With `fresh`, errno is EEXIST whenever the
// name is lost to another process, so the caller can try another.
FileHandle HoldLockFileAt(int folder, const std::string& name, bool fresh);

// Removes the lock file `name` in `folder` while still holding it, then lets go.
void DropLockFileAt(int folder, const std::string& name, FileHandle& lock);

// The bytes of the regular file `name` in `folder` when it holds at most
// `ceiling` of them; nothing for a link, a FIFO, a device, a folder or a
// longer file.
std::optional<std::string> ReadSmallFileAt(int folder, const std::string& name, std::size_t ceiling);

}  // namespace twk
