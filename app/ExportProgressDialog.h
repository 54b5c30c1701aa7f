#pragma once
// An export run off the GUI thread: the event loop goes on meanwhile, so the
// editor repaints. One that takes longer than half a second shows a dialog
// with the files done of the files to do and a Cancel button, which stops
// the export after the files in progress.

#include "export/ExportOperation.h"

class QWidget;

namespace twk {

// Runs `request` (its own progress, if any, is replaced) and returns its
// report once every file started is finished. The dialog is shown over
// `owner`. An exception of the export is raised here.
ExportReport RunExportWithProgress(QWidget* owner, ExportRequest request);

// The progress dialog's object name, for finding it in the window tree.
inline constexpr const char* kExportProgressName = "dlgExportProgress";

}  // namespace twk
