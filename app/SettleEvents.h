#pragma once
// Waiting on the GUI thread for the painters' workers, for start-up
// sequences, tests and benchmarks that need a finished picture.

#include <functional>

namespace twk {

// Runs the event loop until `settled`, or false once `timeoutMs` pass. The
// workers' reports arrive as events, which wake the loop.
bool SettleUntil(const std::function<bool()>& settled, int timeoutMs);

}  // namespace twk
