#pragma once
// Drawing items with the mouse: start at the press, follow the pointer,
// finish at the release; and the construction keys 1, 2, 3 and Esc.

#include "editor/Editor.h"

namespace twk {

struct DocPoint {
  float x = 0;
  float y = 0;
};

// Canvas pixel to the centre of its cell: ceil(p / pixelsPerUnit) - 0.5,
// the quotient kept as a 32-bit float.
DocPoint CanvasPoint(int px, int py, float pixelsPerUnitX, float pixelsPerUnitY);

// Angle in degrees (0..360, clockwise on screen from +x, straight right is
// 360) from the centre to the point, both first rounded half to even.
// Returns false when the rounded points coincide (no angle).
bool ArcAngle(float cx, float cy, float px, float py, float& angle);

// Mouse events; each does nothing in the wrong state.
void StartItem(Editor& ed, int px, int py);      // left button down
void FollowPointer(Editor& ed, int px, int py);  // mouse move
void FinishItem(Editor& ed);                     // left button up

// Construction keys; each does nothing unless an item is under construction.
void FixStartPoint(Editor& ed);           // key 1
void FixFirstControlPoint(Editor& ed);    // key 2
void FixSecondControlPoint(Editor& ed);   // key 3
void CancelConstruction(Editor& ed);      // Esc

}  // namespace twk
