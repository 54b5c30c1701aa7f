#include "editor/EditCommand.h"

#include "editor/EditHistory.h"
#include "editor/EditorSession.h"
#include "editor/RowSelection.h"

namespace twk {

void RunEdit(EditorSession& ed, std::unique_ptr<EditCommand> command, int mergeKey,
             const RowSelection* selectionBefore) {
  RowSelection before = selectionBefore ? *selectionBefore : RowSelection{};
  if (!selectionBefore) before = RowSelection::Of(ed.rows());
  const unsigned changes = command->Changes();
  {
    // Recorded before the gathered list report goes out, so anything that
    // report sets off comes after this step.
    RowUpdateBatch batch(ed.rows());
    command->Apply(ed);
    ed.history().Record(std::move(command), std::move(before), mergeKey);
  }
  ReportChange(ed, changes);
}

}  // namespace twk
