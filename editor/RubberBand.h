#pragma once
// Selecting with a rubber band: a Ctrl press on empty ground spans a band
// from there to the pointer; at the release the items painted inside it
// become the selection, or, with Shift held at the press, join it. A press
// released on the pixel it started from clears the selection (without
// Shift), as a Ctrl click on nothing does. Esc leaves the selection as it
// was. The band changes the selection only: it is no step of the history.

#include "document/ItemLocator.h"
#include "editor/EditorSession.h"

namespace twk {

class RubberBand {
 public:
  explicit RubberBand(const ItemLocator& locator) : locator_(locator) {}

  // Whether a Ctrl press at canvas pixel (px, py) finds empty ground: no
  // item under it and, unless `adding` (Shift), no handle of a selected one.
  bool IsGround(const EditorSession& ed, int px, int py, bool adding) const;

  void Start(int px, int py, bool adding);
  // The pointer moved with the button held.
  void Follow(int px, int py);
  // The button came up: the selection takes the band's items.
  void Finish(EditorSession& ed);
  // Esc: the band goes, the selection stays. False when there was none.
  bool Cancel();
  bool Active() const { return active_; }

  // The canvas pixels the band covers, from the pressed pixel to the
  // pointer's, both included; empty until the pointer has left the pressed
  // pixel.
  struct Area {
    int left = 0, top = 0, right = 0, bottom = 0;  // columns [left, right), rows [top, bottom)
    bool empty() const { return left >= right || top >= bottom; }
    bool operator==(const Area&) const = default;
  };
  Area area() const;

 private:
  const ItemLocator& locator_;
  bool active_ = false;
  bool adding_ = false;
  bool moved_ = false;
  int startX_ = 0, startY_ = 0, endX_ = 0, endY_ = 0;
};

}  // namespace twk
