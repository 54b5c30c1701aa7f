#pragma once
// The common frame of the item commands: apply one change to the items of
// the selected rows (or, for a move with nothing selected, to every item),
// then redraw once.

#include "editor/EditorSession.h"

namespace twk {

enum class SelectionMember {
  kSetDrawMethod,  // DrawMethod := CurDrawMethod
  kSetEndStyle,    // DrawMethod2 := CurDrawMethod2
  kSetWidth,       // DrawWidth := CurDrawWidth
  kSetOpacity,     // alpha byte := CurAlpha
  kRecolour,       // red, green, blue := CurRGB
  kRotate,         // DrawAngle + amount, kept within 0..360 by one turn
  kMove,           // points + (dx, dy); ellipse arc angles stay
};

struct SelectionChange {
  SelectionMember member;
  float amount = 0;  // degrees for kRotate
  float dx = 0;      // kMove
  float dy = 0;
  int key = 0;       // the key that asked for it; the same key again on the
                     // same selection continues the same step
};

// Applies `change` to one item; true when any of its fields changed.
bool ApplyChange(TWKDATA& item, const SelectionChange& change, const EditorState& state);

// Does nothing while an item is under construction. Applies the change to
// the selected items as one command and reports once when an item changed;
// returns whether one did.
bool ApplyToSelection(EditorSession& ed, const SelectionChange& change);

}  // namespace twk
