#pragma once
// The undo history: the commands of the last steps with the row selection
// each found, and the steps undone since (redo). One user action is one
// step; the same key again on the same selection continues the step.
// A new step drops the redo steps; beyond the limit the oldest step goes.

#include <cstddef>
#include <deque>
#include <memory>
#include <optional>

#include "editor/RowSelection.h"

namespace twk {

class EditCommand;
class EditorSession;

class EditHistory {
 public:
  static constexpr std::size_t kDefaultLimit = 1000;
  explicit EditHistory(std::size_t limit = kDefaultLimit);
  ~EditHistory();
  EditHistory(const EditHistory&) = delete;
  EditHistory& operator=(const EditHistory&) = delete;

  // A command that was just applied, with the selection before it.
  void Record(std::unique_ptr<EditCommand> command, RowSelection before, int mergeKey);
  // Forgets every step (a new document).
  void Clear();

  std::size_t undoCount() const { return done_; }
  std::size_t redoCount() const { return steps_.size() - done_; }

  // The clean index: the steps applied when the document last equalled its
  // file. SetClean puts it here; undo and redo back to it make the history
  // clean again. A step recorded or merged past it while steps beyond it
  // were undone, a merge into the step that reached it, or the oldest step
  // going past the limit, make it unreachable. None at first and after Clear.
  void SetClean();
  bool isClean() const { return clean_ && *clean_ == done_; }

  // Undoes the last step: reverts it and selects the rows it found.
  // False when there is none.
  bool Undo(EditorSession& ed);
  // Applies the next undone step again, from the selection it found.
  bool Redo(EditorSession& ed);

 private:
  struct Step {
    std::unique_ptr<EditCommand> command;
    RowSelection before;
    int mergeKey = 0;
  };

  std::deque<Step> steps_;
  std::size_t done_ = 0;     // steps_[0 .. done_) are applied
  bool mergeOpen_ = false;   // the last applied step may take the next one
  std::optional<std::size_t> clean_;  // the clean index; none: unreachable
  std::size_t limit_;
};

// The Ctrl+Z and Ctrl+Y commands. While an item is being drawn, undo
// cancels it (as Esc does) and redo does nothing.
void UndoCommand(EditorSession& ed);
void RedoCommand(EditorSession& ed);

}  // namespace twk
