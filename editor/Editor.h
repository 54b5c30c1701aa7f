#pragma once
// Everything an editing command works on: the document, the editor state,
// the item list, and the reports through which the windows follow. The GUI
// builds one and passes it to the commands; tests build one with plain
// in-memory parts.

#include <functional>
#include <string>

#include "document/Document.h"
#include "document/EditorState.h"
#include "editor/DocumentChange.h"
#include "editor/ItemList.h"

namespace twk {

class EditHistory;

struct Editor {
  TWKFILE& doc;
  EditorState& state;
  ItemList& rows;
  // Where the commands the user runs are kept for undo; none keeps nothing.
  EditHistory* history = nullptr;
  // The path Save proposes (the last document saved or loaded); a load
  // step keeps the one it replaced. None: the program keeps no such path.
  std::string* savePath = nullptr;
  // Canvas pixels per unit on each axis (UnitPixels x screen scale).
  float pixelsPerUnitX = kUnitPixels;
  float pixelsPerUnitY = kUnitPixels;

  // Says what an edit changed; the program decides how its views follow.
  // Each edit reports once, after it is complete (use ReportChange). A size
  // change is not reported while an item is under construction, which keeps
  // the grid it started on; it comes with the report that ends the drawing.
  std::function<void(const DocumentChange&)> changed = [](const DocumentChange&) {};

  // The size changed while an item was being drawn: the grid is rebuilt
  // once the drawing ends.
  bool resizedWhileDrawing = false;

  // The item under construction was started with Shift held: its points
  // snap to the half-unit grid (cell corners as well as centres).
  bool halfUnitSnap = false;
  // The canvas pixel the pointer was last seen at while drawing.
  int pointerX = 0, pointerY = 0;
};

// Reports `kinds` through ed.changed, with the document's size for kSize
// (held back while drawing, see above).
void ReportChange(Editor& ed, unsigned kinds);

}  // namespace twk
