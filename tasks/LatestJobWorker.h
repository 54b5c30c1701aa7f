#pragma once
// One worker thread that runs the latest job handed to it. A job that arrives
// while another waits replaces it, so the worker only ever starts on the
// latest state; the job in flight may be asked to give up as well. After each
// job (finished, given up or failed) the worker calls `finished` on its own
// thread.
//
// A job that throws ends neither the worker nor the program: the worker
// catches an allocation failure or any other std::exception, hands what it
// caught to `jobFailed` (on its own thread, before `finished`) and goes on with
// the next job.
//
// Post, Cancel, Stop and AwaitIdle are called from one thread. busy() turns
// false only once the job has returned, so whatever a job publishes before
// it returns is there when the caller sees the worker idle.

#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "tasks/PaintCancel.h"

namespace twk {

enum class WorkerPriority { kNormal, kLowest };

// What a job threw.
struct JobFailure {
  bool outOfMemory = false;  // std::bad_alloc
  std::string what;          // the exception's own text
};

class LatestJobWorker {
 public:
  using Job = std::function<void(const PaintCancel&)>;
  enum class Posted { kQueued, kNoThread };

  // Either report may be empty: a failed job is then only finished.
  LatestJobWorker(std::function<void()> finished, WorkerPriority priority,
                  std::function<void(const JobFailure&)> jobFailed = {});
  ~LatestJobWorker();  // Stop
  LatestJobWorker(const LatestJobWorker&) = delete;
  LatestJobWorker& operator=(const LatestJobWorker&) = delete;

  // Hands `job` to the worker in place of any waiting one (kQueued), unless
  // no thread can be had (kNoThread: the caller does the work). With
  // `giveUpInFlight` the job being run is asked to give up.
  Posted Post(Job job, bool giveUpInFlight);
  // Whether a job is in flight or waiting.
  bool busy() const;
  // Returns once no job is in flight or waiting.
  void AwaitIdle();
  // Drops the waiting job and asks the one in flight to give up; returns at once.
  void Cancel();
  // Cancel, then waits for the thread to end. A later Post starts a new one.
  void Stop();

 private:
  void Run();
  // Runs `job`, handing what it throws to jobFailed_.
  void RunCaught(const Job& job);

  std::function<void()> finished_;
  std::function<void(const JobFailure&)> jobFailed_;
  WorkerPriority priority_;
  mutable std::mutex mutex_;
  std::condition_variable wake_;  // the worker: a job is waiting, or quit
  std::condition_variable idle_;  // AwaitIdle: a job has returned
  Job waiting_;
  Job replaced_;  // a waiting job a newer one replaced, for the worker to free
  bool running_ = false;
  bool quit_ = false;
  PaintCancel cancel_;
  std::thread thread_;
};

}  // namespace twk
