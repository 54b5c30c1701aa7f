#include "editor/EditCommand.h"

namespace twk {

void RunEdit(Editor& ed, std::unique_ptr<EditCommand> command, int mergeKey) {
  (void)mergeKey;
  {
    RowUpdateBatch batch(ed.rows);
    command->Apply(ed);
  }
  ed.documentChanged();
}

}  // namespace twk
