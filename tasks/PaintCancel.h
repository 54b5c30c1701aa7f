#pragma once
// Lets a job on one thread (a paint above all) be given up from another. The
// painters look at it between items and at the start of every band and stop
// early, leaving what they painted half done; whoever gave the paint up
// drops it.

#include <atomic>

namespace twk {

class PaintCancel {
 public:
  void Request() { requested_.store(true, std::memory_order_relaxed); }
  void Reset() { requested_.store(false, std::memory_order_relaxed); }
  bool Requested() const { return requested_.load(std::memory_order_relaxed); }

  // Runs at the start of every band of a paint that can be given up: waits
  // out the band delay tests set, or until the paint is given up.
  void AtBand() const;
  // Tests: every band of a paint that can be given up waits this long first
  // (0, the default: not at all), so that a small drawing paints slowly.
  static void SetBandDelayForTesting(int milliseconds);

 private:
  std::atomic<bool> requested_{false};
};

// Whether `cancel` is given and has been requested.
inline bool GivenUp(const PaintCancel* cancel) { return cancel && cancel->Requested(); }

}  // namespace twk
