#pragma once
// What a running export tells and takes while it runs: how many of its files
// are done, and a request to stop. The export asks before each file whether
// to stop, so a stop ends it after the files in progress: those already
// written stay, and no other file is started or replaced. Counts and the
// stop flag are lock-free atomics, so another thread may read them while the
// export runs and a signal handler may ask it to stop.

#include <atomic>
#include <cstddef>

namespace twk {

class ExportProgress {
 public:
  // Asks the export to start no further file. Safe in a signal handler.
  void RequestStop() { stop_.store(true); }
  bool StopRequested() const { return stop_.load(); }

  // Files finished (written or failed) of the files the export will write.
  std::size_t done() const { return done_.load(); }
  std::size_t total() const { return total_.load(); }

  // Called by the export: it is about to write `files` files.
  void Begin(std::size_t files) {
    total_.store(files);
    done_.store(0);
  }
  // Called by the export after each file, from whichever thread wrote it.
  void FileDone() { ++done_; }

 private:
  std::atomic<bool> stop_{false};
  std::atomic<std::size_t> done_{0};
  std::atomic<std::size_t> total_{0};
  static_assert(std::atomic<bool>::is_always_lock_free, "a signal handler sets the stop flag");
};

}  // namespace twk
