#include "render/LatestJobWorker.h"

#include <system_error>
#include <utility>

#ifdef __linux__
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace twk {

namespace {

// A low-priority worker only uses time the editing thread leaves over.
void TakeLowestPriority() {
#ifdef __linux__
  // Linux keeps a nice value per thread, and threads started from this one
  // (the task pool's helper) inherit it. Failing leaves normal priority.
  (void)setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 19);
#endif
}

}  // namespace

LatestJobWorker::LatestJobWorker(std::function<void()> finished, WorkerPriority priority)
    : finished_(std::move(finished)), priority_(priority) {}

LatestJobWorker::~LatestJobWorker() { Stop(); }

LatestJobWorker::Posted LatestJobWorker::Post(Job job, int rank, bool giveUpInFlight) {
  std::lock_guard lock(mutex_);
  if (waiting_ && waiting_->rank > rank) return Posted::kDropped;
  try {
    if (!thread_.joinable()) thread_ = std::thread(&LatestJobWorker::Run, this);
  } catch (const std::system_error&) {
    return Posted::kNoThread;
  }
  waiting_ = Waiting{std::move(job), rank};
  if (giveUpInFlight) GiveUpLocked(rank);
  wake_.notify_one();
  return Posted::kQueued;
}

void LatestJobWorker::GiveUpLocked(int rank) {
  if (running_ && runningRank_ <= rank) cancel_.Request();
}

void LatestJobWorker::Run() {
  if (priority_ == WorkerPriority::kLowest) TakeLowestPriority();
  std::unique_lock lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return quit_ || waiting_.has_value(); });
    if (quit_) return;
    Job job = std::move(waiting_->job);
    runningRank_ = waiting_->rank;
    waiting_.reset();
    running_ = true;
    lock.unlock();
    job(cancel_);
    job = nullptr;  // frees the job's copies before the lock is taken again
    lock.lock();
    running_ = false;
    cancel_.Reset();
    // Reported even for a job given up, so that whoever waits for the
    // worker to go idle hears of it.
    lock.unlock();
    finished_();
    lock.lock();
  }
}

bool LatestJobWorker::busy() const {
  std::lock_guard lock(mutex_);
  return running_ || waiting_.has_value();
}

void LatestJobWorker::Cancel() {
  std::lock_guard lock(mutex_);
  waiting_.reset();
  if (running_) cancel_.Request();
}

void LatestJobWorker::Stop() {
  {
    std::lock_guard lock(mutex_);
    waiting_.reset();
    if (running_) cancel_.Request();
    quit_ = true;
  }
  wake_.notify_all();
  if (thread_.joinable()) thread_.join();
  std::lock_guard lock(mutex_);
  quit_ = false;
  cancel_.Reset();
}

}  // namespace twk
