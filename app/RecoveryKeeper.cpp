#include "app/RecoveryKeeper.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <new>
#include <system_error>

#include "persist/StateFolder.h"

namespace twk {

RecoveryKeeper::RecoveryKeeper(const EditorSession& session, std::unique_ptr<RecoveryCopy> copy)
    : session_(session),
      doc_(session.doc()),
      state_(session.state()),
      savePath_(session.savePath()),
      copy_(std::move(copy)),
      // A write that throws (out of memory for the copy's text) is a write
      // that failed.
      helper_([] {}, WorkerPriority::kNormal, [this](const JobFailure&) { WriteEnded(false); }) {
  std::error_code ec;
  startFolder_ = std::filesystem::current_path(ec).string();
  drawnIn_ = startFolder_;
  timer_.setSingleShot(true);
  QObject::connect(&timer_, &QTimer::timeout, [this] { HandOver(); });
}

std::unique_ptr<RecoveryKeeper> RecoveryKeeper::InStateFolder(const EditorSession& session) {
  const std::string folder = TarnwickStateFolder();
  FolderOpen why = FolderOpen::kOpened;
  std::unique_ptr<RecoveryCopy> copy = RecoveryCopy::Claim(folder, &why);
  if (folder.empty())
    std::fprintf(stderr, "tarnwick: no recovery copies: neither XDG_STATE_HOME nor HOME is an absolute path\n");
  else if (!copy && why == FolderOpen::kNotOwnFolder)
    std::fprintf(stderr, "tarnwick: no recovery copies: %s is not a folder of this user\n", folder.c_str());
  else if (!copy)
    std::fprintf(stderr, "tarnwick: no recovery copies: cannot write to %s\n", folder.c_str());
  return std::make_unique<RecoveryKeeper>(session, std::move(copy));
}

RecoveryKeeper::~RecoveryKeeper() { helper_.Stop(); }

void RecoveryKeeper::OnDocumentChange(const DocumentChange& change) {
  if (!change.Has(DocumentChange::kPicture) || !copy_ || timer_.isActive()) return;
  const qint64 since = sinceWrite_.isValid() ? sinceWrite_.elapsed() : kWriteIntervalMs;
  timer_.start(static_cast<int>(std::max<qint64>(0, kWriteIntervalMs - since)));
}

void RecoveryKeeper::OnSaved() {
  savedAs_ = savePath_;
  if (!copy_) return;
  timer_.stop();
  Queue(Job{});
}

bool RecoveryKeeper::DrawingReplaced(std::string savedAs, std::string drawnIn) {
  if (copy_) {
    // The copy must hold the drawing as it is now before it is kept.
    Flush();
    // A copy left under this editor's name would be overwritten by the next
    // drawing's.
    if (copy_->KeepAside() == KeptAside::kFailed) return false;
  }
  savedAs_ = std::move(savedAs);
  drawnIn_ = drawnIn.empty() ? startFolder_ : std::move(drawnIn);
  return true;
}

void RecoveryKeeper::HandOver() {
  if (!copy_) return;
  timer_.stop();
  sinceWrite_.start();
  // Back where it was saved: the file holds the drawing.
  if (session_.saved()) {
    Queue(Job{});
    return;
  }
  try {
    TWKFILE doc = doc_;
    // The copy holds the same items in the same places.
    const int drawn = state_.Constructing ? doc_.CData.indexOf(state_.ConstructionItem) : -1;
    if (drawn >= 0) (void)doc.CData.take(drawn);
    // A drawing with no items (the start document, a failed load's empty
    // one, a new drawing) holds nothing worth restoring.
    if (doc.CData.empty()) {
      Queue(Job{});
    } else {
      Queue(Job{std::move(doc), CopyNotes{savePath_, savedAs_, drawnIn_}});
    }
  } catch (const std::bad_alloc&) {
    // No memory for the copy: the one on disk stays as it was, and the
    // next change tries again.
    std::fprintf(stderr, "tarnwick: cannot write the recovery copy %s: out of memory\n", copy_->copyPath().c_str());
  }
}

bool RecoveryKeeper::Flush() {
  if (timer_.isActive()) HandOver();
  helper_.AwaitIdle();
  return !failing_;
}

void RecoveryKeeper::Queue(Job job) {
  // A job not yet started is out of date; the one in flight finishes. With
  // no thread to write on there is no copy this time, and editing goes on.
  auto shared = std::make_shared<const Job>(std::move(job));
  (void)helper_.Post([this, shared](const PaintCancel&) { Write(*shared); }, false);
}

void RecoveryKeeper::Write(const Job& job) {
  bool written = true;
  if (job.doc) {
    written = copy_->Write(*job.doc, job.notes) == ResultCode::kOk;
  } else {
    copy_->Discard();
  }
  WriteEnded(written);
}

void RecoveryKeeper::WriteEnded(bool written) {
  // One line when writing starts to fail, none while it keeps failing.
  if (!written && !failing_) std::fprintf(stderr, "tarnwick: cannot write the recovery copy %s\n", copy_->copyPath().c_str());
  failing_ = !written;
}

}  // namespace twk
