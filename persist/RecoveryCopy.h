#pragma once
// Recovery copies. While its drawing has unsaved changes, each running
// editor keeps it in the state folder as <name>.twk, written by the same
// safe-save routine as Save, with <name>.path holding the path Save
// proposes. The editor holds <name>.lock locked for as long as it runs, so
// a copy whose lock nobody holds belongs to an editor that ended (closed
// with changes, killed, or stopped by a power cut) and is offered back at
// the next start.

#include <ctime>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "document/Document.h"
#include "persist/FileAccess.h"
#include "persist/ResultCode.h"

namespace twk {

// This editor's own copy. Write and Discard may be called from any one
// thread at a time.
class RecoveryCopy {
 public:
  // Claims a name of its own in `folder` (made when missing); nullptr when
  // the folder cannot be made or written.
  static std::unique_ptr<RecoveryCopy> Claim(const std::string& folder);
  // Lets go of the lock; a copy still there stays for the next start.
  ~RecoveryCopy();
  RecoveryCopy(const RecoveryCopy&) = delete;
  RecoveryCopy& operator=(const RecoveryCopy&) = delete;

  // Replaces the copy with `doc` and the path Save proposes.
  ResultCode Write(const TWKFILE& doc, const std::string& savePath);
  // Removes the copy: the drawing is saved or there is nothing to keep.
  void Discard();
  std::string copyPath() const { return stem_ + ".twk"; }

 private:
  RecoveryCopy(std::string stem, FileHandle lock) : stem_(std::move(stem)), lock_(std::move(lock)) {}
  std::mutex mutex_;
  std::string stem_;  // the folder and the name, without an extension
  FileHandle lock_;
  std::string pathWritten_;
  bool pathKnown_ = false;  // pathWritten_ is what <name>.path holds
};

// A copy left by an editor that no longer runs, held locked while this
// editor decides about it.
struct AbandonedCopy {
  std::string stem;
  std::time_t changed = 0;  // when the copy was last written
  TWKFILE doc;
  std::string savePath;
  FileHandle lock;
};

// The copies in `folder` whose editor no longer runs, newest first. A copy
// that cannot be read is set aside at once.
std::vector<AbandonedCopy> ClaimAbandonedCopies(const std::string& folder);
// The copy's drawing now lives in this editor: its files go.
void TakeCopy(AbandonedCopy& copy);
// The copy moves to <folder>/recovered/, which keeps the newest ten.
void SetAside(const std::string& folder, AbandonedCopy& copy);

inline constexpr int kRecoveredKept = 10;

}  // namespace twk
