#include "tasks/JobPool.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <system_error>
#include <vector>

namespace twk {

struct JobPool::Batch {
  Batch(std::size_t n, const std::function<void(std::size_t, std::size_t)>& j) : count(n), job(j), failures(n) {}
  const std::size_t count;
  const std::function<void(std::size_t, std::size_t)>& job;
  std::atomic<std::size_t> next{0};
  std::vector<std::exception_ptr> failures;  // by job index; each written by the thread that ran it
  bool helperInside = false;                 // under the pool's mutex

  // Takes the next job until none is left.
  void Work(std::size_t thread) {
    for (std::size_t i = next++; i < count; i = next++) {
      try {
        job(thread, i);
      } catch (...) {
        failures[i] = std::current_exception();
      }
    }
  }
};

JobPool& JobPool::Shared() {
  static JobPool pool;
  return pool;
}

JobPool::~JobPool() {
  {
    std::lock_guard lock(mutex_);
    quit_ = true;
  }
  wake_.notify_all();
  if (helper_.joinable()) helper_.join();
}

bool JobPool::EnsureHelperLocked() {
  if (helper_.joinable()) return true;
  if (helperFailed_) return false;
  try {
    helper_ = std::thread(&JobPool::HelperLoop, this);
    return true;
  } catch (const std::system_error&) {
    helperFailed_ = true;  // the calling threads do all the work
    return false;
  }
}

void JobPool::HelperLoop() {
  std::unique_lock lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return quit_ || !waiting_.empty(); });
    if (quit_) return;
    Batch* batch = waiting_.front();
    waiting_.pop_front();
    batch->helperInside = true;
    lock.unlock();
    batch->Work(1);
    lock.lock();
    batch->helperInside = false;
    done_.notify_all();
  }
}

void JobPool::Run(std::size_t count, const std::function<void(std::size_t, std::size_t)>& job,
                  TaskThreads threads) {
  Batch batch(count, job);
  bool offered = false;
  if (threads == TaskThreads::kTwo && count > 1) {
    std::lock_guard lock(mutex_);
    if (EnsureHelperLocked()) {
      waiting_.push_back(&batch);
      offered = true;
    }
  }
  if (offered) wake_.notify_one();
  batch.Work(0);
  if (offered) {
    // Every job is taken; withdraw the offer if the helper never took it,
    // else wait for the job it is on.
    std::unique_lock lock(mutex_);
    waiting_.erase(std::remove(waiting_.begin(), waiting_.end(), &batch), waiting_.end());
    done_.wait(lock, [&] { return !batch.helperInside; });
  }
  for (const std::exception_ptr& failure : batch.failures) {
    if (failure) std::rethrow_exception(failure);
  }
}

}  // namespace twk
