#pragma once
// The common frame of the item commands: apply one change to the items of
// the selected rows (or, for a move with nothing selected, to every item),
// then redraw once.

#include "editor/Editor.h"

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
};

// Applies `change` to one item; true when any of its fields changed.
bool ApplyChange(TWKDATA& item, const SelectionChange& change, const EditorState& state);

// Does nothing while an item is under construction. Redraws once when an
// item changed; returns whether it did.
bool ApplyToSelection(Editor& ed, const SelectionChange& change);

}  // namespace twk
