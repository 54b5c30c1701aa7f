#include "tasks/LatestJobWorker.h"

#include <exception>
#include <new>
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
  // Linux keeps a nice value per thread. Failing leaves normal priority.
  (void)setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 19);
#endif
}

}  // namespace

LatestJobWorker::LatestJobWorker(std::function<void()> finished, WorkerPriority priority,
                                 std::function<void(const JobFailure&)> jobFailed)
    : finished_(std::move(finished)), jobFailed_(std::move(jobFailed)), priority_(priority) {}

LatestJobWorker::~LatestJobWorker() { Stop(); }

LatestJobWorker::Posted LatestJobWorker::Post(Job job, bool giveUpInFlight) {
  // The job this one replaces holds copies that can take long to free: the
  // worker frees it, unless it has not yet freed the one before (then it
  // goes here, after the lock, so that at most one waits to be freed).
  Job old;
  std::lock_guard lock(mutex_);
  try {
    if (!thread_.joinable()) thread_ = std::thread(&LatestJobWorker::Run, this);
  } catch (const std::system_error&) {
    return Posted::kNoThread;
  }
  if (waiting_) (replaced_ ? old : replaced_) = std::move(waiting_);
  waiting_ = std::move(job);
  if (giveUpInFlight && running_) cancel_.Request();
  wake_.notify_one();
  return Posted::kQueued;
}

void LatestJobWorker::RunCaught(const Job& job) {
  JobFailure failure;
  try {
    job(cancel_);
    return;
  } catch (const std::bad_alloc& e) {
    failure.outOfMemory = true;
    failure.what = e.what();
  } catch (const std::exception& e) {
    failure.what = e.what();
  }
  if (jobFailed_) jobFailed_(failure);
}

void LatestJobWorker::Run() {
  if (priority_ == WorkerPriority::kLowest) TakeLowestPriority();
  std::unique_lock lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return quit_ || waiting_ || replaced_; });
    if (quit_) return;
    Job replaced = std::move(replaced_);
    replaced_ = nullptr;
    if (!waiting_) {  // only a replaced job to free (the newer one was cancelled)
      lock.unlock();
      replaced = nullptr;
      lock.lock();
      continue;
    }
    Job job = std::move(waiting_);
    waiting_ = nullptr;
    running_ = true;
    lock.unlock();
    replaced = nullptr;
    try {
      RunCaught(job);
      job = nullptr;  // frees the job's copies before the lock is taken again
    } catch (const std::bad_alloc&) {
      // Not even the failure could be told (its text took memory there was
      // not): the job ends as if finished.
      job = nullptr;
    }
    lock.lock();
    running_ = false;
    cancel_.Reset();
    idle_.notify_all();
    // Reported even for a job given up or failed, so that whoever waits for
    // the worker to go idle hears of it.
    lock.unlock();
    try {
      if (finished_) finished_();
    } catch (const std::bad_alloc&) {
      // The report could not be sent; busy() already tells the worker idle.
    }
    lock.lock();
  }
}

bool LatestJobWorker::busy() const {
  std::lock_guard lock(mutex_);
  return running_ || waiting_;
}

void LatestJobWorker::AwaitIdle() {
  std::unique_lock lock(mutex_);
  idle_.wait(lock, [this] { return !running_ && !waiting_; });
}

void LatestJobWorker::Cancel() {
  std::lock_guard lock(mutex_);
  waiting_ = nullptr;
  if (running_) cancel_.Request();
  if (replaced_) wake_.notify_one();
}

void LatestJobWorker::Stop() {
  {
    std::lock_guard lock(mutex_);
    waiting_ = nullptr;
    replaced_ = nullptr;
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
