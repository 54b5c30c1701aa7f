#pragma once
// A translucent paint's coverage gathered on 8-bit pixels, then laid on the
// picture with the colour in one pass.
//
// cairo composites a translucent colour run by run along every row a figure
// crosses: one pixman call for each stretch between gaps of a few pixels.
// A dotted outline has such a gap between every two dots on every row, so
// those calls cost more than the dots themselves. Drawn on a mask instead,
// the figure gets the same coverage from the same scan conversion (the mask
// lies over the same device pixels, with the same limits), and the colour
// meets that coverage in the same arithmetic (source over, through an 8-bit
// mask: see SolidOver.h), so every pixel comes out exactly as the direct
// paint leaves it. Only the covered stretches of each row are laid, and the
// mask's bytes are cleared as they are laid: the next figure finds it clear.

#include <cairo.h>

#include <cstdint>
#include <memory>

namespace twk {

class CoverageMask {
 public:
  // For a surface drawing on rows [firstRow, endRow) of an image `width`
  // pixels wide; the mask's memory is taken on the first Open.
  CoverageMask(int width, int firstRow, int endRow);
  ~CoverageMask();
  CoverageMask(const CoverageMask&) = delete;
  CoverageMask& operator=(const CoverageMask&) = delete;

  // A context whose drawing lands on the mask, over the device pixels
  // [left, right) x [top, bottom) cut to the surface's rows and cleared. It
  // draws as `like` would: the same transformation, pen, fill rule,
  // tolerance and antialiasing, with an opaque source. nullptr when the area
  // is empty, the mask cannot be had, or `like` is not painting a solid
  // colour with "over" on an ARGB32 image surface whose device offset is
  // whole pixels; the caller then paints directly. `like` is never clipped.
  cairo_t* Open(cairo_t* like, double left, double top, double right, double bottom);
  // Lays `target`'s source colour through what was drawn since Open, on
  // the device pixels it was drawn on, and closes the context. Nothing is
  // laid when cairo failed on the mask.
  void LayOn(cairo_t* target);

 private:
  void Close();
  void ClearArea();  // the open area's bytes back to zero
  // Lays `solid` row by row on `picture` (the target's pixel memory,
  // `offsetX/Y` its device offset), clearing the mask as it goes.
  void LayRows(unsigned char* picture, int stride, int offsetX, int offsetY, std::uint32_t solid);

  int width_, firstRow_, endRow_;
  int stride_ = 0;
  std::unique_ptr<std::uint8_t[]> pixels_;  // endRow_ - firstRow_ rows of stride_ bytes, zero but where open
  cairo_surface_t* surface_ = nullptr;      // the open area of the pixels
  int left_ = 0, top_ = 0, right_ = 0, bottom_ = 0;  // that area, in device pixels
  cairo_t* cr_ = nullptr;
  bool drawn_ = false;  // the open area may hold coverage
};

}  // namespace twk
