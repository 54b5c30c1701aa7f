#pragma once
// Drawing items with the mouse: start at the press, follow the pointer,
// finish at the release; and the construction keys 1, 2, 3 and Esc.

#include "editor/EditorSession.h"

namespace twk {

struct DocPoint {
  float x = 0;
  float y = 0;
};

// Canvas pixel to the centre of its cell: ceil(p / pixelsPerUnit) - 0.5,
// the quotient kept as a 32-bit float.
DocPoint CanvasPoint(int px, int py, float pixelsPerUnitX, float pixelsPerUnitY);

// Canvas pixel to the nearest point of the half-unit grid (cell corners and
// centres): round(2p / pixelsPerUnit) / 2, the quotient a 32-bit float.
DocPoint HalfUnitPoint(int px, int py, float pixelsPerUnitX, float pixelsPerUnitY);

// How the points of an item being drawn snap.
enum class PointSnap { kCellCentres, kHalfUnits };

// Angle in degrees (0..360, clockwise on screen from +x, straight right is
// 360) from the centre to the point, both first rounded half to even.
// Returns false when the rounded points coincide (no angle).
bool ArcAngle(float cx, float cy, float px, float py, float& angle);

// Mouse events; each does nothing in the wrong state.
// left button down; kHalfUnits (Shift held) snaps every point the pointer
// gives this item to the half-unit grid
void StartItem(EditorSession& ed, int px, int py, PointSnap snap = PointSnap::kCellCentres);
void FollowPointer(EditorSession& ed, int px, int py);  // mouse move
void FinishItem(EditorSession& ed);                     // left button up

// Construction keys; each does nothing unless an item is under construction.
void FixStartPoint(EditorSession& ed);           // key 1
void FixFirstControlPoint(EditorSession& ed);    // key 2
void FixSecondControlPoint(EditorSession& ed);   // key 3
void CancelConstruction(EditorSession& ed);      // Esc
// Shift+1, 2, 3: the same with the point the pointer is at snapped to the
// half-unit grid.
void FixStartPointOnHalfUnits(EditorSession& ed);
void FixFirstControlPointOnHalfUnits(EditorSession& ed);
void FixSecondControlPointOnHalfUnits(EditorSession& ed);

}  // namespace twk
