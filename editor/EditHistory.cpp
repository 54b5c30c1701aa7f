#include "editor/EditHistory.h"

#include "editor/Construction.h"
#include "editor/EditCommand.h"
#include "editor/EditorSession.h"

namespace twk {

EditHistory::EditHistory(std::size_t limit) : limit_(limit) {}

EditHistory::~EditHistory() = default;

void EditHistory::Record(std::unique_ptr<EditCommand> command, RowSelection before, int mergeKey) {
  // The saved state lay among the undone steps that go now.
  if (clean_ && *clean_ > done_) clean_.reset();
  steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(done_), steps_.end());
  if (mergeOpen_ && mergeKey != 0 && !steps_.empty()) {
    Step& last = steps_.back();
    if (last.mergeKey == mergeKey && last.before == before && last.command->Absorb(*command)) {
      // The step that ended at the saved state now goes past it, and undo
      // stops only before it.
      if (clean_ && *clean_ == done_) clean_.reset();
      return;
    }
  }
  steps_.push_back(Step{std::move(command), std::move(before), mergeKey});
  if (steps_.size() > limit_) {
    steps_.pop_front();
    // The saved state went with the oldest step, or is one step nearer.
    if (clean_) clean_ = *clean_ == 0 ? std::nullopt : std::optional<std::size_t>(*clean_ - 1);
  }
  done_ = steps_.size();
  mergeOpen_ = true;
}

void EditHistory::Clear() {
  steps_.clear();
  done_ = 0;
  mergeOpen_ = false;
  clean_.reset();
}

void EditHistory::SetClean() { clean_ = done_; }

bool EditHistory::Undo(EditorSession& ed) {
  if (done_ == 0) return false;
  Step& step = steps_[--done_];
  mergeOpen_ = false;
  {
    RowUpdateBatch batch(ed.rows());
    step.command->Revert(ed);
    step.before.RestoreOn(ed.rows());
  }
  ReportChange(ed, step.command->Changes());
  return true;
}

bool EditHistory::Redo(EditorSession& ed) {
  if (done_ == steps_.size()) return false;
  Step& step = steps_[done_++];
  mergeOpen_ = false;
  {
    RowUpdateBatch batch(ed.rows());
    step.before.RestoreOn(ed.rows());
    step.command->Apply(ed);
  }
  ReportChange(ed, step.command->Changes());
  return true;
}

void UndoCommand(EditorSession& ed) {
  if (ed.state().Constructing) {
    CancelConstruction(ed);
    return;
  }
  ed.history().Undo(ed);
}

void RedoCommand(EditorSession& ed) {
  ed.history().Redo(ed);
}

}  // namespace twk
