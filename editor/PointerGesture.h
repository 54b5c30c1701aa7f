#pragma once
// Pointing at items on the canvas with Ctrl held. A press on a handle of a
// selected item takes that defining point; a press on a selected item takes
// the whole selection; a press on another item picks it and takes it; a
// press on nothing clears the selection. With Shift as well a press adds the
// item under the pointer to the selection or takes it out, and moves
// nothing. Moves follow the pointer live on the arrow keys' grid; the
// release makes them one undo step and Esc puts them back.

#include <memory>
#include <vector>

#include "editor/ChangeItems.h"
#include "document/ItemLocator.h"
#include "editor/EditorSession.h"
#include "editor/RowSelection.h"

namespace twk {

class PointerGesture {
 public:
  // Items and handles are found where `locator` says they are painted.
  explicit PointerGesture(const ItemLocator& locator) : locator_(locator) {}

  // A Ctrl press at canvas pixel (px, py); `toggle` when Shift is held too.
  // The caller has asked the command table whether pointing may run.
  void Press(EditorSession& ed, int px, int py, bool toggle);
  // The pointer moved with the button held.
  void Follow(EditorSession& ed, int px, int py);
  // The button came up: a move or reshape becomes one undo step; a click on
  // a selected item that moved nothing makes it the only selected one.
  void Release(EditorSession& ed);
  // Esc: puts the items back where the press found them. False when no
  // gesture was under way.
  bool Cancel(EditorSession& ed);
  // Between a press that took items and its release or Esc.
  bool Active() const { return kind_ != Kind::kNone; }

 private:
  enum class Kind { kNone, kMove, kReshape };
  // Takes the live values back to those at the press; false when there
  // were none.
  bool PutBack(EditorSession& ed);
  void End();

  const ItemLocator& locator_;
  Kind kind_ = Kind::kNone;
  Point pressedAt_;          // document units, the centre of the pressed pixel
  std::vector<int> moving_;  // the rows a move takes along
  int reshaping_ = -1;       // the row whose point a reshape moves
  TWKDATA original_;         // its value at the press
  DefiningPoint point_ = DefiningPoint::kStart;
  int pickOnClick_ = -1;     // a selected item pressed on, picked if nothing moves
  bool moved_ = false;
  RowSelection selectionBefore_;  // the selection before the press, which undo brings back
  std::unique_ptr<ChangeItems> live_;  // applied while the button is held
};

// The centre of canvas pixel (px, py) in document units.
Point PixelCentre(const EditorSession& ed, int px, int py);
// Where the pointer is in units, as a drag or reshape reads it: the centre
// of canvas pixel (px, py) on the arrow keys' grid of 0.125 units.
Point PointerUnits(const EditorSession& ed, int px, int py);

}  // namespace twk
