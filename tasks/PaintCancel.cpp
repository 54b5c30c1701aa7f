#include "tasks/PaintCancel.h"

#include <chrono>
#include <thread>

namespace twk {

namespace {

std::atomic<int> bandDelayMs{0};

}  // namespace

void PaintCancel::AtBand() const {
  const int delay = bandDelayMs.load(std::memory_order_relaxed);
  if (delay <= 0) return;
  // In short steps, so that giving up is heard within a few milliseconds.
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(delay);
  while (!Requested() && std::chrono::steady_clock::now() < end)
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
}

void PaintCancel::SetBandDelayForTesting(int milliseconds) { bandDelayMs.store(milliseconds); }

}  // namespace twk
