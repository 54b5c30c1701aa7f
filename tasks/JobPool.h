#pragma once
// Shares a batch of independent jobs between the calling thread and a
// helper thread that lives as long as the pool, so a redraw or an export
// starts no thread of its own. This is the one "next index" loop of the
// program: every batch of jobs, whatever it computes, runs through it.
//
// The caller always works on its own batch and never waits for the helper
// to become free: when the helper is busy (another batch, or the job that
// started this batch), the caller runs every job itself. So a job may run
// a batch of its own on the same pool without deadlock.

#include <array>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

namespace twk {

// Whether a batch may use the helper thread.
enum class TaskThreads { kOne, kTwo };

class JobPool {
 public:
  // The threads one batch runs on at most: the caller and the helper.
  static constexpr std::size_t kMostThreads = 2;

  JobPool() = default;
  ~JobPool();  // waits for the helper to finish its job and end
  JobPool(const JobPool&) = delete;
  JobPool& operator=(const JobPool&) = delete;

  // The pool every part of the program shares.
  static JobPool& Shared();

  // Runs job(thread, 0) .. job(thread, count - 1), each once, taken in index
  // order, and returns when all have finished. `thread` tells the jobs'
  // threads apart within the batch (0 the caller, 1 the helper; below
  // kMostThreads), so that each may keep state of its own. A job that throws
  // does not stop the others; once all have run, the exception of the
  // lowest such index is rethrown. Without a helper thread (kOne, none to
  // be had, or it is busy) the calling thread runs them all.
  void Run(std::size_t count, const std::function<void(std::size_t thread, std::size_t index)>& job,
           TaskThreads threads = TaskThreads::kTwo);

 private:
  struct Batch;
  void HelperLoop();
  // Starts the helper on first use; false when no thread can be had.
  bool EnsureHelperLocked();

  std::mutex mutex_;
  std::condition_variable wake_;  // the helper: a batch is waiting, or quit
  std::condition_variable done_;  // callers: the helper left a batch
  std::deque<Batch*> waiting_;
  bool quit_ = false;
  bool helperFailed_ = false;
  std::thread helper_;
};

// Runs job(state, 0) .. job(state, count - 1) on the shared pool as
// JobPool::Run does, each thread with a State of its own (made on the first
// job it takes, gone when the batch ends) that serves every job it takes:
// memory kept from one job to the next.
template <class State, class Job>
void RunJobs(std::size_t count, const Job& job, TaskThreads threads = TaskThreads::kTwo) {
  std::array<std::optional<State>, JobPool::kMostThreads> states;
  JobPool::Shared().Run(
      count,
      [&](std::size_t thread, std::size_t index) {
        std::optional<State>& state = states[thread];
        if (!state) state.emplace();
        job(*state, index);
      },
      threads);
}

}  // namespace twk
