#include "editor/KeyCommands.h"

#include <bit>
#include <cstdint>

#include "document/Colour.h"
#include "document/Rounding.h"
#include "editor/Construction.h"
#include "editor/EditHistory.h"
#include "editor/ItemCommands.h"
#include "editor/KeyNumbers.h"
#include "editor/ResizeDocument.h"
#include "editor/Selection.h"
#include "editor/ToolSettings.h"

namespace twk {

namespace {

// A tool setting was changed by `key`: write it into the item under
// construction (reporting when that changed it) or into the selected items,
// then report the settings.
void AfterToolSetting(EditorSession& ed, SelectionMember member, int key) {
  unsigned changes = DocumentChange::kToolSettings;
  if (ed.state().Constructing) {
    if (TWKDATA* item = ed.state().ConstructionItem) {
      if (ApplyChange(*item, SelectionChange{member}, ed.state())) changes |= DocumentChange::kConstruction;
    }
  } else {
    ApplyToSelection(ed, SelectionChange{member, 0, 0, 0, key});
  }
  ReportChange(ed, changes);
}

void NextMethod(EditorSession& ed) {
  ed.state().CurDrawMethod = NextDrawMethod(ed.state().CurDrawMethod);
  AfterToolSetting(ed, SelectionMember::kSetDrawMethod, keys::kM);
}
void NextStyle(EditorSession& ed) {
  ed.state().CurDrawMethod2 = NextEndStyle(ed.state().CurDrawMethod2);
  AfterToolSetting(ed, SelectionMember::kSetEndStyle, keys::kV);
}
void StepWidth(EditorSession& ed, float step, int key) {
  ed.state().CurDrawWidth = SteppedWidth(ed.state().CurDrawWidth, step);
  AfterToolSetting(ed, SelectionMember::kSetWidth, key);
}
void StepAlpha(EditorSession& ed, int step, int key) {
  ed.state().CurAlpha = SteppedAlpha(ed.state().CurAlpha, step);
  AfterToolSetting(ed, SelectionMember::kSetOpacity, key);
}

void NextType(EditorSession& ed) {
  ed.state().CurType = NextItemType(ed.state().CurType);
  ReportChange(ed, DocumentChange::kToolSettings);
}

void Rotate(EditorSession& ed, float degrees, int key) {
  ApplyToSelection(ed, SelectionChange{SelectionMember::kRotate, degrees, 0, 0, key});
}
void Move(EditorSession& ed, float dx, float dy, int key) {
  ApplyToSelection(ed, SelectionChange{SelectionMember::kMove, 0, dx, dy, key});
}
constexpr float kMoveStep = 0.125f;

// A size key: one unit more or less, kept within 1..16 by the whole part.
// It acts even while an item is under construction (the grid then keeps
// the old size until the next rebuild).
float ResizedBy(float size, int delta) {
  const int whole = TruncateToInt(size);
  if (delta < 0 && whole > 1) return size - 1.0f;
  if (delta > 0 && whole < 16) return size + 1.0f;
  return size;
}

void Resize(EditorSession& ed, int dw, int dh, int key) {
  const DocumentSize before{ed.doc().TWKW, ed.doc().TWKH};
  const DocumentSize after{ResizedBy(before.w, dw), ResizedBy(before.h, dh)};
  // Bits, not values: a NaN size read from a file counts as unchanged.
  if (std::bit_cast<std::uint32_t>(after.w) == std::bit_cast<std::uint32_t>(before.w) &&
      std::bit_cast<std::uint32_t>(after.h) == std::bit_cast<std::uint32_t>(before.h)) {
    return;
  }
  RunEdit(ed, std::make_unique<ResizeDocument>(before, after), key);
}

constexpr unsigned kDrawing = kRefusedWhileDrawing;
using named_key::kDelete, named_key::kDown, named_key::kEscape, named_key::kLeft, named_key::kRight, named_key::kUp;

KeyStroke Main(int key) { return {key, KeyPad::kMain}; }
KeyStroke MainShifted(int key) { return {key, KeyPad::kMain, false, true}; }
KeyStroke Pad(int key) { return {key, KeyPad::kKeypad}; }
KeyStroke Any(int key) { return {key, KeyPad::kEither}; }
KeyStroke Ctrl(int key, bool shift = false) { return {key, KeyPad::kEither, true, shift}; }

}  // namespace

void AddEditorCommands(CommandRegistry& table) {
  // The 25 single keys, in the order the program has always registered them.
  // Arrows and Delete: the keypad's own (Num Lock off) count as well.
  table.Add({keys::k3, "fix second control point or arc end angle", {Main('3')}, {}, kNeverRefused, FixSecondControlPoint});
  table.Add({keys::k2, "fix first control point or arc start angle", {Main('2')}, {}, kNeverRefused, FixFirstControlPoint});
  table.Add({keys::k1, "fix start point", {Main('1')}, {}, kNeverRefused, FixStartPoint});
  // With Shift the point fixed snaps to the half-unit grid.
  table.Add({keys::kShift3, "fix second control point or arc end angle on the half-unit grid", {MainShifted('3')}, {},
             kNeverRefused, FixSecondControlPointOnHalfUnits});
  table.Add({keys::kShift2, "fix first control point or arc start angle on the half-unit grid", {MainShifted('2')}, {},
             kNeverRefused, FixFirstControlPointOnHalfUnits});
  table.Add({keys::kShift1, "fix start point on the half-unit grid", {MainShifted('1')}, {}, kNeverRefused,
             FixStartPointOnHalfUnits});
  table.Add({keys::kEsc, "cancel construction", {Any(kEscape)}, {}, kNeverRefused, CancelConstruction});
  table.Add({keys::kM, "next draw method", {Any('M')}, {}, kNeverRefused, NextMethod});
  table.Add({keys::kV, "next end style", {Any('V')}, {}, kNeverRefused, NextStyle});
  table.Add({keys::kT, "next item type", {Any('T')}, {}, kDrawing, NextType});
  table.Add({keys::kA, "rotate by -1 degree", {Any('A')}, {}, kDrawing, [](EditorSession& ed) { Rotate(ed, -1.0f, keys::kA); }});
  table.Add({keys::kD, "rotate by +1 degree", {Any('D')}, {}, kDrawing, [](EditorSession& ed) { Rotate(ed, 1.0f, keys::kD); }});
  table.Add({keys::kW, "opacity +5", {Any('W')}, {}, kNeverRefused, [](EditorSession& ed) { StepAlpha(ed, kAlphaStep, keys::kW); }});
  table.Add({keys::kS, "opacity -5", {Any('S')}, {}, kNeverRefused, [](EditorSession& ed) { StepAlpha(ed, -kAlphaStep, keys::kS); }});
  table.Add({keys::kUp, "move up", {Any(kUp)}, {}, kDrawing, [](EditorSession& ed) { Move(ed, 0, -kMoveStep, keys::kUp); }});
  table.Add({keys::kDown, "move down", {Any(kDown)}, {}, kDrawing, [](EditorSession& ed) { Move(ed, 0, kMoveStep, keys::kDown); }});
  table.Add({keys::kLeft, "move left", {Any(kLeft)}, {}, kDrawing, [](EditorSession& ed) { Move(ed, -kMoveStep, 0, keys::kLeft); }});
  table.Add({keys::kRight, "move right", {Any(kRight)}, {}, kDrawing, [](EditorSession& ed) { Move(ed, kMoveStep, 0, keys::kRight); }});
  table.Add({keys::kPadPlus, "width +0.25", {Pad('+')}, {}, kNeverRefused, [](EditorSession& ed) { StepWidth(ed, kWidthStep, keys::kPadPlus); }});
  table.Add({keys::kPadMinus, "width -0.25", {Pad('-')}, {}, kNeverRefused, [](EditorSession& ed) { StepWidth(ed, -kWidthStep, keys::kPadMinus); }});
  // "+" typed unshifted on the "=/+" key: German and other layouts.
  table.Add({keys::kEquals, "width +0.25", {Main('='), Main('+')}, {}, kNeverRefused, [](EditorSession& ed) { StepWidth(ed, kWidthStep, keys::kEquals); }});
  table.Add({keys::kMinus, "width -0.25", {Main('-')}, {}, kNeverRefused, [](EditorSession& ed) { StepWidth(ed, -kWidthStep, keys::kMinus); }});
  table.Add({keys::kDelete, "delete selected items", {Any(kDelete)}, {9, "Delete", true}, kDrawing, DeleteSelected});
  table.Add({keys::kSpace, "recolour selected items", {Any(' ')}, {}, kDrawing,
             [](EditorSession& ed) { ApplyToSelection(ed, SelectionChange{SelectionMember::kRecolour, 0, 0, 0, keys::kSpace}); }});
  // The size keys act even while drawing; the grid follows once it ends.
  table.Add({keys::kPad8, "document height -1", {Pad('8')}, {}, kNeverRefused, [](EditorSession& ed) { Resize(ed, 0, -1, keys::kPad8); }});
  table.Add({keys::kPad2, "document height +1", {Pad('2')}, {}, kNeverRefused, [](EditorSession& ed) { Resize(ed, 0, 1, keys::kPad2); }});
  table.Add({keys::kPad4, "document width -1", {Pad('4')}, {}, kNeverRefused, [](EditorSession& ed) { Resize(ed, -1, 0, keys::kPad4); }});
  table.Add({keys::kPad6, "document width +1", {Pad('6')}, {}, kNeverRefused, [](EditorSession& ed) { Resize(ed, 1, 0, keys::kPad6); }});

  // Undo while drawing cancels the drawing instead, so it is never refused.
  table.Add({keys::kUndo, "undo", {Ctrl('Z')}, {}, kNeverRefused, UndoCommand});
  table.Add({keys::kRedo, "redo", {Ctrl('Y'), Ctrl('Z', true)}, {}, kDrawing, RedoCommand});

  table.Add({keys::kHide, "hide selected items", {}, {6, "Hide"}, kDrawing, [](EditorSession& ed) { SetSelectedVisibility(ed, false); }});
  table.Add({keys::kShow, "show selected items", {}, {7, "Show", true}, kDrawing, [](EditorSession& ed) { SetSelectedVisibility(ed, true); }});
  table.Add({keys::kClone, "clone selected items", {}, {8, "Clone"}, kDrawing, CloneSelected});

  table.Add({keys::kSelectAll, "select every item", {Ctrl('A')}, {}, kDrawing, [](EditorSession& ed) { ed.rows().SelectAll(); }});
  table.Add({keys::kSelectNone, "select no item", {Ctrl('A', true)}, {}, kDrawing,
             [](EditorSession& ed) { ed.rows().Select({}, -1, false); }});

  // The item list's requests, and a Ctrl press on the canvas, whose callers act.
  table.Add({keys::kCheckMarks, "visibility follows the check marks", {}, {}, kDrawing, SyncVisibility});
  table.Add({keys::kRowDrag, "row drag", {}, {}, kDrawing, nullptr});
  table.Add({keys::kRowDrop, "row drop", {}, {}, kDrawing, nullptr});
  table.Add({keys::kPointAtItems, "point at items on the canvas", {}, {}, kDrawing | kRefusedWhileExporting, nullptr});
}

}  // namespace twk
