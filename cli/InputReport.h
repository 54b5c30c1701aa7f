#pragma once
// What an export of several drawings tells while it runs: each input's line
// in the order the inputs were given, as soon as every input before it is
// done, and on a terminal a progress line kept below them. Inputs may end on
// any thread, in any order.

#include <cstddef>
#include <mutex>
#include <ostream>
#include <vector>

#include "cli/InputExport.h"

namespace twk::cli {

class InputReport {
 public:
  // `terminal`: `err` is a terminal, so a progress line is drawn (and
  // redrawn in place) there.
  InputReport(std::size_t inputs, std::ostream& err, bool terminal);

  // Input `index` has ended with `outcome`. Safe from any thread.
  void Done(std::size_t index, InputOutcome outcome);
  // Every input has ended: the progress line is cleared.
  void Finish();

  bool AnyFailed() const { return failed_; }
  // Inputs taken in hand (read, or found unreadable), whatever came of them.
  std::size_t Started() const { return started_; }

 private:
  // The text that replaces the progress line; empty off a terminal.
  std::string ProgressText() const;

  std::mutex mutex_;
  std::ostream& err_;
  const bool terminal_;
  std::vector<InputOutcome> outcomes_;
  std::vector<char> ended_;
  std::size_t told_ = 0;   // outcomes_[0, told_) have been told
  std::size_t ended_count_ = 0;
  std::size_t started_ = 0;
  std::size_t shownPercent_ = 101;  // the percentage on the progress line
  bool failed_ = false;
};

}  // namespace twk::cli
