#pragma once
// "Export Code" of the popup menu: the drawing as an SVG document.

namespace twk {

class App;

// Asks for a file ("Export Code", "SVG Image|*.svg", preset from the last
// path of this run) and writes the drawing there as SVG, 16 pixels square,
// named by the extension rule; a failure is shown with the path.
void ExportCodeCommand(App& app);

}  // namespace twk
