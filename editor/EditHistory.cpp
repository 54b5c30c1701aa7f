#include "editor/EditHistory.h"

#include "editor/Construction.h"

namespace twk {

void EditHistory::Record(std::unique_ptr<EditCommand> command, RowSelection before, int mergeKey) {
  steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(done_), steps_.end());
  if (mergeOpen_ && mergeKey != 0 && !steps_.empty()) {
    Step& last = steps_.back();
    if (last.mergeKey == mergeKey && last.before == before && last.command->Absorb(*command)) return;
  }
  steps_.push_back(Step{std::move(command), std::move(before), mergeKey});
  if (steps_.size() > limit_) steps_.pop_front();
  done_ = steps_.size();
  mergeOpen_ = true;
}

void EditHistory::Clear() {
  steps_.clear();
  done_ = 0;
  mergeOpen_ = false;
}

bool EditHistory::Undo(Editor& ed) {
  if (done_ == 0) return false;
  Step& step = steps_[--done_];
  mergeOpen_ = false;
  {
    RowUpdateBatch batch(ed.rows);
    step.command->Revert(ed);
    step.before.RestoreOn(ed.rows);
  }
  ReportChange(ed, step.command->Changes());
  return true;
}

bool EditHistory::Redo(Editor& ed) {
  if (done_ == steps_.size()) return false;
  Step& step = steps_[done_++];
  mergeOpen_ = false;
  {
    RowUpdateBatch batch(ed.rows);
    step.before.RestoreOn(ed.rows);
    step.command->Apply(ed);
  }
  ReportChange(ed, step.command->Changes());
  return true;
}

void UndoCommand(Editor& ed) {
  if (ed.state.Constructing) {
    CancelConstruction(ed);
    return;
  }
  if (ed.history) ed.history->Undo(ed);
}

void RedoCommand(Editor& ed) {
  if (!ed.history) return;
  ed.history->Redo(ed);
}

}  // namespace twk
