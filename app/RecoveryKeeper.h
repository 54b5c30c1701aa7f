#pragma once
// Keeps this editor's recovery copy up to date. After a completed change
// the document is copied here and written on a helper thread, at most once
// a second, so a key never waits for the disk. An item being drawn is not
// part of the copy. A saved document (the session's history at its clean
// index: just saved or read, or undone or redone back there), or one with
// no items, keeps no copy. A copy that cannot be
// written costs one line on stderr; editing goes on. A drawing with unsaved
// changes that another takes the place of keeps its copy, under a name of its
// own, until a later start asks about it.

#include <QElapsedTimer>
#include <QTimer>
#include <atomic>
#include <memory>
#include <optional>
#include <string>

#include "document/Document.h"
#include "document/EditorState.h"
#include "editor/EditorSession.h"
#include "persist/RecoveryCopy.h"
#include "tasks/LatestJobWorker.h"

namespace twk {

class RecoveryKeeper : public SessionObserver {
 public:
  static constexpr int kWriteIntervalMs = 1000;

  // Follows `session`, which outlives the keeper once subscribed to it;
  // without a copy (no usable state folder) it keeps nothing.
  RecoveryKeeper(const EditorSession& session, std::unique_ptr<RecoveryCopy> copy);
  // A keeper of a copy of its own in the user's state folder, or, when that
  // cannot be written or is not the user's own folder, of none (saying so in
  // one line on stderr).
  static std::unique_ptr<RecoveryKeeper> InStateFolder(const EditorSession& session);
  // Waits for a write in flight; a change not yet written is not written.
  ~RecoveryKeeper() override;
  RecoveryKeeper(const RecoveryKeeper&) = delete;
  RecoveryKeeper& operator=(const RecoveryKeeper&) = delete;

  // The picture changed: the copy follows within a second.
  void OnDocumentChange(const DocumentChange& change) override;
  // The document now equals a file: the copy goes.
  void OnSaved() override;
  // Another drawing is about to take the place of this one: a copy of
  // unsaved changes is kept for a later start. The new drawing was last
  // saved as `savedAs` (empty: never) and drawn in the folder `drawnIn`
  // (empty: the one this editor runs in). False, with nothing changed, when
  // the copy cannot be kept aside: the drawing must not be replaced then.
  [[nodiscard]] bool DrawingReplaced(std::string savedAs, std::string drawnIn = {});
  // Hands the current document to the helper thread now (the copy is made
  // here, the writing there).
  void HandOver();
  // Writes a change still waiting and returns once the helper is idle
  // (closing, or a copy that must be on disk before another goes). False
  // when the copy on disk is not the drawing: the last write failed.
  bool Flush();

  bool keepsCopies() const { return copy_ != nullptr; }
  std::string copyPath() const { return copy_ ? copy_->copyPath() : std::string(); }

 private:
  // What the helper does next: write this document, or remove the copy.
  struct Job {
    std::optional<TWKFILE> doc;
    CopyNotes notes;
  };
  void Queue(Job job);
  // Runs `job` on the helper thread.
  void Write(const Job& job);
  // After each job on the helper thread: whether the copy on disk is the
  // drawing, saying so in one line when writing starts to fail.
  void WriteEnded(bool written);

  const EditorSession& session_;
  const TWKFILE& doc_;
  const EditorState& state_;
  const std::string& savePath_;
  std::unique_ptr<RecoveryCopy> copy_;
  std::string savedAs_;      // the file the drawing was last saved as or read from
  std::string startFolder_;  // the folder the editor runs in
  std::string drawnIn_;      // the folder the drawing was made in
  QTimer timer_;
  QElapsedTimer sinceWrite_;

  std::atomic<bool> failing_{false};  // the last write failed and said so
  LatestJobWorker helper_;             // last: it ends before what its jobs use
};

}  // namespace twk
