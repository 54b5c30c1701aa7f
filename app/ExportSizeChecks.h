#pragma once
// Checking every size of the export window's list at once, or none: Ctrl+A
// and Ctrl+Shift+A while the list has the focus, and "Check all" and "Check
// none" in its popup menu.

class QTreeWidget;

namespace twk {

// Adds both actions to `list`, with their keys and its popup menu.
void AddCheckAllActions(QTreeWidget& list);

// Sets the check mark of every row of `list`.
void CheckEveryRow(QTreeWidget& list, bool checked);

}  // namespace twk
