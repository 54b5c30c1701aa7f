#include "cli/InputReport.h"

#include <string>
#include <utility>

namespace twk::cli {
namespace {

// Back to the start of the terminal line, and that line erased.
constexpr const char* kClearLine = "\r\033[K";

}  // namespace

InputReport::InputReport(std::size_t inputs, std::ostream& err, bool terminal)
    : err_(err), terminal_(terminal), outcomes_(inputs), ended_(inputs, 0) {}

std::string InputReport::ProgressText() const {
  if (!terminal_) return {};
  return std::string(kClearLine) + "tarnwick-cli: " + std::to_string(ended_count_) + " of " +
         std::to_string(outcomes_.size()) + " drawings done";
}

void InputReport::Done(std::size_t index, InputOutcome outcome) {
  std::lock_guard lock(mutex_);
  failed_ = failed_ || outcome.failed;
  if (outcome.started) ++started_;
  ++ended_count_;
  outcomes_[index] = std::move(outcome);
  ended_[index] = 1;
  // The lines of every input now told, then the progress line, in one write
  // so the terminal never shows half of it.
  std::string text;
  for (; told_ < outcomes_.size() && ended_[told_]; ++told_) {
    InputOutcome& told = outcomes_[told_];
    if (!told.line.empty()) text += (terminal_ ? kClearLine : "") + told.line + "\n";
    told = InputOutcome{};  // its text is not needed again
  }
  const std::size_t percent = ended_count_ * 100 / outcomes_.size();
  if (terminal_ && (percent != shownPercent_ || !text.empty())) {
    shownPercent_ = percent;
    text += ProgressText();
  }
  if (!text.empty()) err_.write(text.data(), static_cast<std::streamsize>(text.size())).flush();
}

void InputReport::Finish() {
  std::lock_guard lock(mutex_);
  if (terminal_) err_.write(kClearLine, 4).flush();
}

}  // namespace twk::cli
