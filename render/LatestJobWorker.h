#pragma once
// One worker thread that runs the latest job handed to it. A job that arrives
// while another waits replaces it, so the worker only ever starts on the
// latest state; the job in flight may be asked to give up as well. After each
// job (finished or given up) the worker calls `finished` on its own thread.
//
// Jobs carry a rank: a job never replaces a waiting one of higher rank, nor
// gives up one in flight of higher rank (a change to the selection's marks
// must not drop a waiting repaint of the document).
//
// Post, Cancel and Stop are called from one thread. busy() turns false only
// once the job has returned, so whatever a job publishes before it returns
// is there when the caller sees the worker idle.

#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

#include "render/PaintCancel.h"

namespace twk {

enum class WorkerPriority { kNormal, kLowest };

class LatestJobWorker {
 public:
  using Job = std::function<void(const PaintCancel&)>;
  enum class Posted { kQueued, kDropped, kNoThread };

  LatestJobWorker(std::function<void()> finished, WorkerPriority priority);
  ~LatestJobWorker();  // Stop
  LatestJobWorker(const LatestJobWorker&) = delete;
  LatestJobWorker& operator=(const LatestJobWorker&) = delete;

  // Hands `job` to the worker (kQueued), unless a waiting job outranks it
  // (kDropped) or no thread can be had (kNoThread: the caller does the
  // work). With `giveUpInFlight` the job being run is asked to give up.
  Posted Post(Job job, int rank, bool giveUpInFlight);
  // Whether a job is in flight or waiting.
  bool busy() const;
  // Drops the waiting job and asks the one in flight to give up; returns at once.
  void Cancel();
  // Cancel, then waits for the thread to end. A later Post starts a new one.
  void Stop();

 private:
  struct Waiting {
    Job job;
    int rank = 0;
  };
  void Run();
  void GiveUpLocked(int rank);

  std::function<void()> finished_;
  WorkerPriority priority_;
  mutable std::mutex mutex_;
  std::condition_variable wake_;
  std::optional<Waiting> waiting_;
  bool running_ = false;
  int runningRank_ = 0;
  bool quit_ = false;
  PaintCancel cancel_;
  std::thread thread_;
};

}  // namespace twk
