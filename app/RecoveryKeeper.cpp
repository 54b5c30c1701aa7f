#include "app/RecoveryKeeper.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <new>
#include <system_error>

#include "persist/StateFolder.h"

namespace twk {

namespace {

// The document every editor starts with: nothing in it worth keeping.
bool IsStartDocument(const TWKFILE& doc) { return doc.CData.empty() && doc.TWKW == 16 && doc.TWKH == 16; }

}  // namespace

RecoveryKeeper::RecoveryKeeper(const EditorSession& session, std::unique_ptr<RecoveryCopy> copy)
    : session_(session),
      doc_(session.doc()),
      state_(session.state()),
      savePath_(session.savePath()),
      copy_(std::move(copy)) {
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
  if (!copy && why == FolderOpen::kNotOwnFolder)
    std::fprintf(stderr, "tarnwick: no recovery copies: %s is not a folder of this user\n", folder.c_str());
  else if (!copy)
    std::fprintf(stderr, "tarnwick: no recovery copies: cannot write to %s\n", folder.c_str());
  return std::make_unique<RecoveryKeeper>(session, std::move(copy));
}

RecoveryKeeper::~RecoveryKeeper() {
  {
    std::lock_guard lock(mutex_);
    quit_ = true;
  }
  wake_.notify_all();
  if (helper_.joinable()) helper_.join();
}

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

void RecoveryKeeper::DrawingReplaced(std::string savedAs, std::string drawnIn) {
  if (copy_) {
    // The copy must hold the drawing as it is now before it is kept.
    Flush();
    copy_->KeepAside();
  }
  savedAs_ = std::move(savedAs);
  drawnIn_ = drawnIn.empty() ? startFolder_ : std::move(drawnIn);
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
    if (IsStartDocument(doc)) {
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
  std::unique_lock lock(mutex_);
  wake_.wait(lock, [this] { return !busy_ && !waiting_; });
  return !failing_;
}

void RecoveryKeeper::Queue(Job job) {
  {
    std::lock_guard lock(mutex_);
    waiting_ = std::move(job);  // a job not yet started is out of date
    try {
      if (!helper_.joinable()) helper_ = std::thread(&RecoveryKeeper::Run, this);
    } catch (const std::system_error&) {
      // No thread to write on: no copy this time, and editing goes on.
      waiting_.reset();
      return;
    }
  }
  wake_.notify_all();
}

void RecoveryKeeper::Run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return quit_ || waiting_; });
    if (quit_) return;
    Job job = std::move(*waiting_);
    waiting_.reset();
    busy_ = true;
    lock.unlock();
    bool written = true;
    if (job.doc) {
      written = copy_->Write(*job.doc, job.notes) == ResultCode::kOk;
    } else {
      copy_->Discard();
    }
    // One line when writing starts to fail, none while it keeps failing.
    if (!written && !failing_) std::fprintf(stderr, "tarnwick: cannot write the recovery copy %s\n", copy_->copyPath().c_str());
    job = Job{};
    lock.lock();
    failing_ = !written;
    busy_ = false;
    wake_.notify_all();
  }
}

}  // namespace twk
