#include "editor/Construction.h"

#include <memory>
#include <new>
#include <vector>

#include "document/Colour.h"
#include "document/Labels.h"
#include "editor/ItemListing.h"

namespace twk {

namespace {

TWKDATA* Building(EditorSession& ed) {
  return ed.state().Constructing ? ed.state().ConstructionItem : nullptr;
}

// Ends the construction state and reports `kinds` with a size change made
// meanwhile (nothing when both are none); the item itself is left to the
// caller.
void LeaveConstruction(EditorSession& ed, unsigned kinds) {
  EditorState& state = ed.state();
  state.Constructing = false;
  state.ConstructionItem = nullptr;
  state.FirstControlFixed = false;
  state.SecondControlFixed = false;
  if (ed.resizedWhileDrawing) kinds |= DocumentChange::kSize;
  ed.resizedWhileDrawing = false;
  ReportChange(ed, kinds);
}

// Fixes a control point of a line or curve (turning it into a curve) or an
// arc angle of an ellipse; `first` picks (X2,Y2)/start angle or
// (X3,Y3)/end angle.
void FixControl(EditorSession& ed, bool first) {
  TWKDATA* item = Building(ed);
  if (!item) return;
  const TWKDATA before = *item;
  if (item->Type == kLine || item->Type == kCurve) {
    item->Type = kCurve;
    (first ? item->X2 : item->X3) = item->X4;
    (first ? item->Y2 : item->Y3) = item->Y4;
    (first ? ed.state().FirstControlFixed : ed.state().SecondControlFixed) = true;
  } else if (item->Type == kEllipse) {
    float angle = 0;
    if (!ArcAngle(item->X1, item->Y1, item->X4, item->Y4, angle)) return;
    (first ? item->X2 : item->Y2) = angle;
  }
  if (*item == before) return;
  Touch(*item);
  ReportChange(ed, DocumentChange::kConstruction);
}

// The point the pointer gives the item being drawn.
DocPoint PointerPoint(const EditorSession& ed, int px, int py) {
  return ed.halfUnitSnap ? HalfUnitPoint(px, py, ed.pixelsPerUnitX, ed.pixelsPerUnitY)
                         : CanvasPoint(px, py, ed.pixelsPerUnitX, ed.pixelsPerUnitY);
}

// Moves the current point (and the control points following it) to `p`.
void PutCurrentPoint(EditorSession& ed, TWKDATA& item, DocPoint p) {
  item.X4 = p.x;
  item.Y4 = p.y;
  if (item.Type == kCurve && !ed.state().FirstControlFixed) {
    item.X2 = item.X4;
    item.Y2 = item.Y4;
  }
  if (item.Type == kCurve && !ed.state().SecondControlFixed) {
    item.X3 = item.X4;
    item.Y3 = item.Y4;
  }
}

// Before a fix with Shift held: the current point goes to the half-unit
// grid point the pointer is at, so that is the point fixed.
void SnapCurrentPointToHalfUnits(EditorSession& ed) {
  TWKDATA* item = Building(ed);
  if (!item) return;
  const TWKDATA before = *item;
  PutCurrentPoint(ed, *item, HalfUnitPoint(ed.pointerX, ed.pointerY, ed.pixelsPerUnitX, ed.pixelsPerUnitY));
  if (*item == before) return;
  Touch(*item);
  ReportChange(ed, DocumentChange::kConstruction);
}

}  // namespace

void StartItem(EditorSession& ed, int px, int py, PointSnap snap) {
  EditorState& st = ed.state();
  if (st.Constructing) return;
  TWKDATA item;
  item.Type = static_cast<std::uint8_t>(st.CurType);
  item.DrawMethod = static_cast<std::uint8_t>(st.CurDrawMethod);
  item.DrawMethod2 = static_cast<std::uint8_t>(st.CurDrawMethod2);
  item.Visible = 1;
  item.DrawWidth = st.CurDrawWidth;
  item.DrawRGBA = PackRGBA(RedOf(st.CurRGB), GreenOf(st.CurRGB), BlueOf(st.CurRGB), st.CurAlpha);
  ed.halfUnitSnap = snap == PointSnap::kHalfUnits;
  ed.pointerX = px, ed.pointerY = py;
  const DocPoint p = PointerPoint(ed, px, py);
  item.X1 = item.X2 = item.X3 = item.X4 = p.x;
  item.Y1 = item.Y2 = item.Y3 = item.Y4 = p.y;
  if (item.Type == kEllipse) {
    item.X2 = 0;
    item.Y2 = 360;
  }
  TWKDATA* added = nullptr;
  try {
    added = ed.doc().CData.insertFront(item);
  } catch (const std::bad_alloc&) {
    return;  // no item could be added: the press has no effect
  }
  st.ConstructionItem = added;
  st.FirstControlFixed = false;
  st.SecondControlFixed = false;
  // Entering the state before the redraw lets the canvas keep the layer of
  // the other items from this first picture on; the picture is the same.
  st.Constructing = true;
  ReportChange(ed, DocumentChange::kConstruction);
}

void FollowPointer(EditorSession& ed, int px, int py) {
  TWKDATA* item = Building(ed);
  if (!item) return;
  ed.pointerX = px, ed.pointerY = py;
  PutCurrentPoint(ed, *item, PointerPoint(ed, px, py));
  Touch(*item);
  ReportChange(ed, DocumentChange::kConstruction);  // every move repaints, even when the cell is the same
}

void FinishItem(EditorSession& ed) {
  TWKDATA* item = Building(ed);
  if (!item) return;
  if (item->X1 == item->X4 && item->Y1 == item->Y4) {
    ed.doc().CData.remove(item);
    LeaveConstruction(ed, DocumentChange::kConstruction);
    return;
  }
  // The finished item enters the document as one command: it is taken out
  // and put back with its row. Still constructing meanwhile, so the canvas
  // keeps the layer behind it and list change events leave the document
  // alone.
  std::vector<ListedItem> finished(1);
  finished[0].index = 0;
  finished[0].item = item;
  finished[0].owned = ed.doc().CData.take(0);
  finished[0].text = TypeName(item->Type);
  finished[0].row = RowState{false, item->Visible != 0};
  RunEdit(ed, std::make_unique<AddItems>(std::move(finished), AddItems::Selection::kOnlyFirstNew));
  LeaveConstruction(ed, 0);  // the step above has reported the new item
}

void FixStartPoint(EditorSession& ed) {
  TWKDATA* item = Building(ed);
  if (!item) return;
  const bool changed = item->X1 != item->X4 || item->Y1 != item->Y4;
  item->X1 = item->X4;
  item->Y1 = item->Y4;
  if (!changed) return;
  Touch(*item);
  ReportChange(ed, DocumentChange::kConstruction);
}

void FixFirstControlPoint(EditorSession& ed) { FixControl(ed, true); }
void FixSecondControlPoint(EditorSession& ed) { FixControl(ed, false); }

void FixStartPointOnHalfUnits(EditorSession& ed) {
  SnapCurrentPointToHalfUnits(ed);
  FixStartPoint(ed);
}
void FixFirstControlPointOnHalfUnits(EditorSession& ed) {
  SnapCurrentPointToHalfUnits(ed);
  FixFirstControlPoint(ed);
}
void FixSecondControlPointOnHalfUnits(EditorSession& ed) {
  SnapCurrentPointToHalfUnits(ed);
  FixSecondControlPoint(ed);
}

void CancelConstruction(EditorSession& ed) {
  TWKDATA* item = Building(ed);
  if (!item) return;
  ed.doc().CData.remove(item);
  LeaveConstruction(ed, DocumentChange::kConstruction);
}

}  // namespace twk
