#pragma once
// "Export Code" of the popup menu: the drawing as an SVG document.

#include <QString>

#include "app/Dialogs.h"
#include "document/Document.h"

namespace twk {

// Asks for a file ("Export Code", "SVG Image|*.svg", preset from
// `lastPath`, the path chosen last in this run, which it then becomes) and
// writes the drawing there as SVG, 16 pixels square, named by the extension
// rule; a failure is shown with the path.
void ExportCodeCommand(const Asking& ask, const TWKFILE& doc, QString& lastPath);

}  // namespace twk
