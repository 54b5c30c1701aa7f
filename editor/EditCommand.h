#pragma once
// A change to the document as an object: it applies itself and reverts
// itself exactly, rows included. Commands keep the items they touch and the
// values those had, never a copy of the whole document.

#include <memory>

#include "editor/EditorSession.h"


namespace twk {

class EditCommand {
 public:
  virtual ~EditCommand() = default;
  // Makes the change. Reports nothing: whoever runs the command reports once.
  virtual void Apply(EditorSession& ed) = 0;
  // Undoes Apply; the document and the rows are then as before it.
  virtual void Revert(EditorSession& ed) = 0;
  // What Apply and Revert change (DocumentChange kinds), reported by
  // whoever runs the command.
  virtual unsigned Changes() const = 0;
  // Folds `later`, applied right after this command, into this one, so that
  // the two revert as one; false when they stay apart.
  virtual bool Absorb(EditCommand& later) {
    (void)later;
    return false;
  }
};

class RowSelection;

// Runs a command the user asked for: applies it with the list's change
// reports gathered into one, records it as a step of the history, then
// reports the document change once. `mergeKey` names the key that asked
// for it (0: none); the same key again on the same selection continues the
// same step. `selectionBefore` replaces the selection found now when the
// step began earlier (a row drag).
void RunEdit(EditorSession& ed, std::unique_ptr<EditCommand> command, int mergeKey = 0,
             const RowSelection* selectionBefore = nullptr);

}  // namespace twk
