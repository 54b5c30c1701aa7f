#pragma once
// The canvas picture while every item moves together (a held move key with
// nothing selected): the last picture of the document area, moved by the
// whole pixels of the move, with only the rows it cannot give painted again.
//
// A move of a fraction of a pixel (an eighth of a unit is 2.5 pixels at 20
// pixels per unit) cannot be had from a picture by moving its pixels, so one
// picture is kept per fraction the moves have reached: each is at a whole
// number of pixels from the items again every few moves.
//
// Pixels: cairo paints an item moved by whole rows exactly as the item
// moved by those rows, and the picture's top and bottom cut nothing that
// changes a row it keeps (the canvas is painted in bands of rows on that
// ground). Moved by whole columns, an item is painted exactly so only
// while nothing of it is cut at the picture's left or right side: cairo
// cuts a stroke's outline to the picture before it fills it, and the cut
// changes the coverage all along the cut edge (up to 16 levels). So after
// a sideways move the rows every such item reaches, before or after, are
// painted again, as are the rows items reach in the columns the move
// uncovers; when that is most rows, the whole picture is. Every row of the
// picture is then what a full redraw paints.

#include <memory>
#include <vector>

#include "document/Document.h"
#include "render/Image.h"
#include "render/PaintBudget.h"
#include "tasks/PaintCancel.h"

namespace twk {

class MovedPictures {
 public:
  // The picture for `doc` over `grid`, as ComposeCanvas gives it, made from
  // a kept picture when `doc` is the document of the last call with every
  // item moved alike; nullptr once `cancel` is requested or when the
  // picture cannot be made.
  std::unique_ptr<Image> Compose(const Image& grid, const TWKFILE& doc, float pixelsPerUnitX, float pixelsPerUnitY,
                                 const PaintCancel* cancel = nullptr);
  // Takes from `budget` the guessed time of the rows Compose would paint
  // for `doc`; false when it would paint the whole picture or the budget
  // is spent.
  bool Fits(const TWKFILE& doc, float pixelsPerUnitX, float pixelsPerUnitY, PaintBudget& budget) const;
  // Whether Compose would move a kept picture for `doc` rather than paint
  // the whole picture: every item moved alike since the last document, and
  // a kept picture stands a whole number of pixels from them.
  bool Follows(const TWKFILE& doc, float pixelsPerUnitX, float pixelsPerUnitY) const;
  // Keeps `picture`, the document area of `doc` painted elsewhere, as the
  // picture Compose would have made, so that the next move starts from it.
  void Keep(const TWKFILE& doc, float pixelsPerUnitX, float pixelsPerUnitY, const Image& picture);
  // Drops every kept picture.
  void Clear();
  // Pictures made by moving a kept one since construction.
  long long picturesMoved() const { return moved_; }

 private:
  // A picture of the document area and where it stands from the items:
  // moved by (x, y) pixels it shows the last document.
  struct Kept {
    std::unique_ptr<Image> picture;
    double x = 0, y = 0;
  };
  // What Compose would do for `doc`: move kept picture `index` by (dx, dy)
  // pixels and paint the rows marked in `rows`, or, when `whole`, paint it
  // whole in its place; with index -1, paint a new one. `follows` when
  // `doc` is the last document moved (else nothing kept is of use).
  struct Step {
    bool follows = false;
    bool whole = false;
    int index = -1;
    int dx = 0, dy = 0;
    std::vector<bool> rows;
    int rowCount = 0;
  };
  // The move since the last document, in pixels, comes back in moveX, moveY.
  Step Plan(const TWKFILE& doc, float pixelsPerUnitX, float pixelsPerUnitY, double& moveX, double& moveY) const;
  // Plans the step to `doc` and places the kept pictures from its items
  // (all of them go when `doc` is not the last document moved); Record
  // then records `doc`.
  Step Follow(const TWKFILE& doc, float pixelsPerUnitX, float pixelsPerUnitY);
  // Brings the kept pictures to `doc`: makes or moves the one to show.
  Image* Update(const TWKFILE& doc, float pixelsPerUnitX, float pixelsPerUnitY, const PaintCancel* cancel);
  // Trims the kept pictures to the budget, keeping picture `index`, and
  // records `doc` as the document they are placed from; the picture shown.
  Image* Record(const TWKFILE& doc, int index);

  std::vector<Kept> kept_;
  std::vector<TWKDATA> items_;  // the document the kept pictures are placed from
  float twkw_ = 0, twkh_ = 0, ppuX_ = 0, ppuY_ = 0;
  long long moved_ = 0;
};

}  // namespace twk
