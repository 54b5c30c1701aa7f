#pragma once
// Shares a batch of independent tasks between the calling thread and a
// helper thread that lives as long as the pool, so a redraw or an export
// starts no thread of its own.
//
// The caller always works on its own batch and never waits for the helper
// to become free: when the helper is busy (another batch, or the task that
// started this batch), the caller runs every task itself. So a task may run
// a batch of its own on the same pool without deadlock.

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace twk {

// Whether a batch may use the helper thread.
enum class TaskThreads { kOne, kTwo };

class TaskPool {
 public:
  TaskPool() = default;
  ~TaskPool();  // waits for the helper to finish its task and end
  TaskPool(const TaskPool&) = delete;
  TaskPool& operator=(const TaskPool&) = delete;

  // The pool every part of the program shares.
  static TaskPool& Shared();

  // Runs task(0) .. task(count - 1), each once, taken in index order, and
  // returns when all have finished. A task that throws does not stop the
  // others; once all have run, the exception of the lowest such index is
  // rethrown. Without a helper thread (kOne, none to be had, or it is busy)
  // the calling thread runs them all.
  void Run(std::size_t count, const std::function<void(std::size_t)>& task,
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

}  // namespace twk
