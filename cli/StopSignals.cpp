#include "cli/StopSignals.h"

#include <atomic>
#include <utility>

namespace twk::cli {

namespace {

// A handler can reach nothing but globals; one export runs at a time.
std::atomic<ExportProgress*> stopTarget{nullptr};
volatile sig_atomic_t receivedSignal = 0;

extern "C" void AskToStop(int signal) {
  receivedSignal = signal;
  if (ExportProgress* progress = stopTarget.load()) progress->RequestStop();
}

}  // namespace

StopSignals::StopSignals(ExportProgress& progress) {
  receivedSignal = 0;
  stopTarget.store(&progress);
  struct sigaction action {};
  action.sa_handler = AskToStop;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;  // the writes in progress go on undisturbed
  // A signal ignored when the program started (SIGINT in a background job
  // of a script) stays ignored: whoever started it asked for that.
  for (auto [signal, old] : {std::pair{SIGINT, &oldInt_}, std::pair{SIGTERM, &oldTerm_}}) {
    sigaction(signal, nullptr, old);
    if (old->sa_handler != SIG_IGN) sigaction(signal, &action, nullptr);
  }
}

StopSignals::~StopSignals() {
  sigaction(SIGINT, &oldInt_, nullptr);
  sigaction(SIGTERM, &oldTerm_, nullptr);
  stopTarget.store(nullptr);
}

int StopSignals::received() const { return receivedSignal; }

const char* SignalName(int signal) { return signal == SIGINT ? "SIGINT" : "SIGTERM"; }

}  // namespace twk::cli
