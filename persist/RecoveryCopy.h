#pragma once
// Recovery copies. While its drawing has unsaved changes, each running
// editor keeps it in the state folder as <name>.twk, written, flushed to disk
// and renamed into place like a save, with <name>.path holding the path Save
// proposes and <name>.about what the restore question tells. The editor
// holds <name>.lock locked for as long as it runs, so a copy whose lock
// nobody holds belongs to an editor that ended (closed with changes, killed,
// or stopped by a power cut), or was kept aside when another drawing took
// its place, and is offered back at the next start. The editor deciding
// about those copies holds listing.lock meanwhile, so no two editors decide
// about one copy. Every name is opened through the state folder's
// descriptor, never through a link.

#include <cstdint>
#include <ctime>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/Document.h"
#include "persist/FileAccess.h"
#include "persist/ResultCode.h"
#include "persist/StateFolder.h"

namespace twk {

// What the restore question tells about a copy.
struct CopyNotes {
  std::string savePath;  // the path Save proposes
  std::string savedAs;   // the file the drawing was last saved as or read from; empty when never
  std::string folder;    // the folder the editor ran in
  bool operator==(const CopyNotes&) const = default;
};

// A path longer than this is no path: side files are read up to it.
inline constexpr std::size_t kPathCeiling = 4096;

// Whether `name` (without extension) is one this program gives its copies:
// "editor-" and numbers joined by '-' or '.'.
bool IsCopyName(std::string_view name);

// What KeepAside did.
enum class KeptAside {
  kNothingToKeep,  // there was no copy on disk
  kKept,           // the copy moved to a name of its own
  kFailed,         // the copy could not be moved: it is still this editor's
};

// This editor's own copy. Write, Discard and KeepAside may be called from
// any one thread at a time.
class RecoveryCopy {
 public:
  // Claims a name of its own in `folder` (made when missing); nullptr when
  // the folder cannot be made or written, or is not the user's own folder
  // (`why` then says which).
  static std::unique_ptr<RecoveryCopy> Claim(const std::string& folder, FolderOpen* why = nullptr);
  // Lets go of the lock; a copy still there stays for the next start.
  ~RecoveryCopy();
  RecoveryCopy(const RecoveryCopy&) = delete;
  RecoveryCopy& operator=(const RecoveryCopy&) = delete;

  // Replaces the copy with `doc` and its notes; the old copy stays until the
  // new one is completely on disk.
  ResultCode Write(const TWKFILE& doc, const CopyNotes& notes);
  // Removes the copy: the drawing is saved or there is nothing to keep.
  void Discard();
  // Another drawing takes this one's place: the copy on disk, if any, moves
  // to a name of its own that no editor holds, to be offered at the next
  // start. The names never run out: <name>-1, <name>-2, and so on.
  KeptAside KeepAside();
  std::string copyPath() const { return folderPath_ + "/" + name_ + ".twk"; }

 private:
  RecoveryCopy(std::string folderPath, FileHandle folder, std::string name, FileHandle lock)
      : folderPath_(std::move(folderPath)), folder_(std::move(folder)), name_(std::move(name)), lock_(std::move(lock)) {}
  std::mutex mutex_;
  std::string folderPath_;
  FileHandle folder_;
  std::string name_;  // without an extension
  FileHandle lock_;
  std::optional<CopyNotes> notesWritten_;  // what the side files hold
  std::uint64_t nextAside_ = 1;             // the number KeepAside tries first
};

// A copy left by an editor that no longer runs. Only listed: its drawing is
// read by Load.
struct AbandonedCopy {
  std::string name;        // in the state folder, without an extension
  std::uint64_t size = 0;  // bytes of the copy
  std::time_t changed = 0;  // when the copy was last written
  CopyNotes notes;
};

enum class CopyLoad {
  kLoaded,
  kNoMemory,    // too large for the memory there is now: offered again later
  kUnreadable,  // not permitted to read now: offered again later
  kDamaged,     // not a document
};

// Where SetAside left a copy.
struct SetAsideResult {
  FolderOpen recovered = FolderOpen::kOpened;  // how recovered/ opened
  std::string keptAt;                          // the copy's path now
  std::string keptName;                        // the same, inside the state folder
};

// The copies of the state folder whose editor no longer runs, listed while
// no other editor lists them; no file is held open per copy.
class AbandonedCopies {
 public:
  // Lists the copies in `folder`, newest first, and holds listing.lock
  // until destroyed: while another editor holds it, none is listed. Lock
  // files that no running editor holds and that no copy needs go, and so
  // does anything planted where a copy's lock file belongs (a link, a FIFO):
  // such a copy is offered too. A folder that is not the user's own lists
  // none (see opened()).
  static AbandonedCopies Claim(const std::string& folder);
  AbandonedCopies() = default;
  ~AbandonedCopies();
  AbandonedCopies(AbandonedCopies&&) = default;
  AbandonedCopies& operator=(AbandonedCopies&&) = delete;

  FolderOpen opened() const { return opened_; }
  const std::string& folder() const { return folderPath_; }
  std::vector<AbandonedCopy>& copies() { return copies_; }
  // The paths of the names that are in the way of a lock this listing
  // needs (a folder where a lock file belongs); the copies behind them are
  // not offered.
  const std::vector<std::string>& blocked() const { return blocked_; }
  std::string PathOf(const AbandonedCopy& copy) const { return folderPath_ + "/" + copy.name + ".twk"; }

  // Reads the copy's drawing into `doc`.
  CopyLoad Load(const AbandonedCopy& copy, TWKFILE& doc) const;
  // The copy's drawing now lives in this editor: its files go. A copy not
  // taken or set aside stays and is offered again at the next start.
  void Take(AbandonedCopy& copy);
  // The copy moves to <folder>/recovered/, which keeps ten: the copy just
  // moved and the nine newest others. When recovered/ is not the user's own
  // folder it stays where it is.
  SetAsideResult SetAside(AbandonedCopy& copy);
  // Whether the copy `result` tells of is still where it was set aside
  // (setting others aside later may have removed it from recovered/).
  bool StillKept(const SetAsideResult& result) const;

 private:
  std::string folderPath_;
  FileHandle folder_;
  FileHandle listing_;  // listing.lock, held
  FolderOpen opened_ = FolderOpen::kCannotMake;
  std::vector<AbandonedCopy> copies_;
  std::vector<std::string> blocked_;
};

inline constexpr int kRecoveredKept = 10;

}  // namespace twk
