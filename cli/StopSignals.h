#pragma once
// SIGINT and SIGTERM during an export: instead of ending the process at
// once (which could leave a file half-written beside its target), they ask
// the export to stop after the files in progress. The handlers are in place
// while a StopSignals object lives; the previous ones come back after. A
// signal the program inherited as ignored stays ignored.

#include <signal.h>

#include "export/ExportProgress.h"

namespace twk::cli {

class StopSignals {
 public:
  // Signals received from now on ask `progress` to stop.
  explicit StopSignals(ExportProgress& progress);
  ~StopSignals();
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

  // The signal that asked to stop, or 0.
  int received() const;

 private:
  struct sigaction oldInt_ {};
  struct sigaction oldTerm_ {};
};

// "SIGINT" or "SIGTERM".
const char* SignalName(int signal);

}  // namespace twk::cli
