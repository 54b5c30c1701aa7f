#pragma once
// Everything an editing command works on: the document, the editor state,
// the item list and the few effects it triggers in the windows. The GUI
// builds one and passes it to the commands; tests build one with plain
// in-memory parts.

#include <functional>

#include "document/Document.h"
#include "document/EditorState.h"
#include "editor/ItemRows.h"

namespace twk {

struct Editor {
  TWKFILE& doc;
  EditorState& state;
  ItemRows& rows;
  // Canvas pixels per unit on each axis (UnitPixels x screen scale).
  float pixelsPerUnitX = kUnitPixels;
  float pixelsPerUnitY = kUnitPixels;

  // Repaints the canvas from the document (RedrawCanvas).
  std::function<void()> redrawCanvas = [] {};
  // Sets the window title from the tool settings (UpdateTitle).
  std::function<void()> updateTitle = [] {};
  // Rebuilds the canvas grid for a whole-number size (RebuildGrid); it does
  // nothing while an item is under construction.
  std::function<void(int, int)> rebuildGrid = [](int, int) {};
};

}  // namespace twk
