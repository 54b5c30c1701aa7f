#pragma once
// Recovery copies. While its drawing has unsaved changes, each running
// editor keeps it in the state folder as <name>.twk, written, flushed to disk
// and renamed into place like a save, with <name>.path holding the path Save
// proposes and <name>.about what the restore question tells. The editor
// holds <name>.lock locked for as long as it runs, so a copy whose lock
// nobody holds belongs to an editor that ended (closed with changes, killed,
// or stopped by a power cut), or was kept aside when another drawing took
// its place, and is offered back at the next start. Every name is opened
// through the state folder's descriptor, never through a link.

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
  // start. True when a copy was kept.
  bool KeepAside();
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
};

// A copy left by an editor that no longer runs, held locked while this
// editor decides about it. Only listed: its drawing is read by Load.
struct AbandonedCopy {
  std::string name;        // in the state folder, without an extension
  std::uint64_t size = 0;  // bytes of the copy
  std::time_t changed = 0;  // when the copy was last written
  CopyNotes notes;
  FileHandle lock;
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
};

// The copies of the state folder whose editor no longer runs.
class AbandonedCopies {
 public:
  // Lists the copies in `folder`, newest first, each held locked. A folder
  // that is not the user's own lists none (see opened()).
  static AbandonedCopies Claim(const std::string& folder);

  FolderOpen opened() const { return opened_; }
  const std::string& folder() const { return folderPath_; }
  std::vector<AbandonedCopy>& copies() { return copies_; }
  std::string PathOf(const AbandonedCopy& copy) const { return folderPath_ + "/" + copy.name + ".twk"; }

  // Reads the copy's drawing into `doc`.
  CopyLoad Load(const AbandonedCopy& copy, TWKFILE& doc) const;
  // The copy's drawing now lives in this editor: its files go.
  void Take(AbandonedCopy& copy);
  // Not decided now: the copy stays and is offered again at the next start.
  void Keep(AbandonedCopy& copy);
  // The copy moves to <folder>/recovered/, which keeps the newest ten. When
  // recovered/ is not the user's own folder it stays where it is.
  SetAsideResult SetAside(AbandonedCopy& copy);

 private:
  std::string folderPath_;
  FileHandle folder_;
  FolderOpen opened_ = FolderOpen::kCannotMake;
  std::vector<AbandonedCopy> copies_;
};

inline constexpr int kRecoveredKept = 10;

}  // namespace twk
