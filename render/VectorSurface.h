#pragma once
// Anti-aliased vector drawing on an Image through cairo: transformations,
// figures (lines, cubics, boxes, elliptical arcs), strokes with caps and
// joins, even-odd fills and dotted outlines.
//
// The surface never hands cairo a number it cannot use: non-finite values
// and singular transformations make the affected drawing a no-op instead of
// putting the context into its (sticky) error state, and a figure reaching
// far beyond the picture is cut to it in double precision first (so a long
// line stays drawn at any size, and far-away parts cost nothing). The path
// is kept here until it is painted. Should cairo still fail, Recover()
// starts afresh.

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "geometry/DotPattern.h"
#include "geometry/ItemLook.h"
#include "render/CoverageMask.h"
#include "render/Image.h"
#include "render/PathCut.h"

namespace twk {

// How a dotted outline is stroked: as the dots or dashes PlanDotStroke put
// in place of the path, or, when the pattern is too fine or too long, as
// the path itself with `pen` at `coverage` of the colour's opacity.
struct DotStrokePlan {
  bool pattern;
  PenStyle pen;
  double coverage;
};

// For a path on `cr` whose pen (width, cap, join) is set: replaces the path
// with the dotted outline's dots or dashes, or leaves it for a solid stroke.
// Given a view, round dots that cannot touch it are left out.
DotStrokePlan PlanDotStroke(cairo_t* cr, double width, double distance, PenStyle style,
                            const DotView* view = nullptr);

class VectorSurface {
 public:
  // OpenVectorSurface: pixel units, identity, opaque black, empty path.
  explicit VectorSurface(Image& image);
  // A surface on rows firstRow..firstRow+rowCount-1 of `image` only, with the
  // coordinates of the whole image: drawing gives those rows exactly the
  // pixels the whole-image surface would give them. Surfaces on disjoint
  // rows of one image may draw at the same time on different threads: flush
  // the image once before opening them, and call image.MarkDirty() once they
  // are all closed.
  VectorSurface(Image& image, int firstRow, int rowCount);
  ~VectorSurface();  // CloseVectorSurface
  VectorSurface(const VectorSurface&) = delete;
  VectorSurface& operator=(const VectorSurface&) = delete;

  bool ok() const;  // open and not in cairo's error state
  int width() const { return width_; }
  int height() const { return height_; }

  void ScaleBy(double sx, double sy);
  void RotateAbout(double cx, double cy, double degrees);
  void PushState();  // saves the transformation
  void PopState();
  void SetSourceColour(std::int32_t rgba);

  void MoveTo(double x, double y);
  void LineTo(double x, double y);
  void CubicTo(double x1, double y1, double x2, double y2, double x3, double y3);
  void ClosePath();
  void AddBox(double x, double y, double w, double h);
  void AddEllipseArc(double cx, double cy, double rx, double ry, double start, double end);

  void Stroke(double width, PenStyle style);
  void Fill();
  void StrokeDots(double width, double distance, PenStyle style);

  // After a cairo failure: a fresh context with the outermost transformation.
  void Recover();

 private:
  struct State {
    cairo_matrix_t matrix;
    bool usable;  // false after a singular or non-finite transformation
  };
  bool Drawable() const;
  void Track(double x, double y);  // grows the device-space bounds of the path
  void ApplyMatrix(const cairo_matrix_t& m);
  void ClearPath();
  bool SetPen(double width, PenStyle style);
  // Whether the path's device bounds grown by `margin` pixels miss the
  // pixels this surface draws on (then cairo would paint nothing).
  bool MissesTarget(double margin) const;
  // Whether the path reaches so far beyond the picture that it is cut.
  bool Far() const;
  // Hands the path to cairo: as it is, or cut to the picture grown by
  // `margin` pixels when it reaches far. Updates the bounds to what cairo got.
  void Emit(double margin);
  double StrokeMargin(PenStyle style) const;  // after SetPen
  // Runs `paint`, which hands cr_ the path and paints it with the current
  // colour, for a figure within `margin` pixels of the path's device
  // bounds: an opaque colour directly; a translucent one, when
  // `throughMask`, on the coverage mask, which is then laid on the picture
  // at once (same pixels, far fewer composites for figures that cross their
  // rows in many short runs).
  void Painted(double margin, bool throughMask, const std::function<void()>& paint);

  cairo_t* cr_ = nullptr;
  cairo_surface_t* surface_ = nullptr;
  cairo_surface_t* bandSurface_ = nullptr;  // owned; the rows of a band surface
  int width_ = 0, height_ = 0;              // of the whole image
  int firstRow_ = 0, endRow_ = 0;           // the rows drawn on
  State state_{};
  std::vector<State> saved_;
  std::vector<PathOp> ops_;  // the path, in user space
  CoverageMask mask_;
  std::int32_t colour_ = static_cast<std::int32_t>(0xFF000000u);
  bool pathBroken_ = false;  // the path holds something unusable
  bool pathEmpty_ = true;
  double minX_ = 0, minY_ = 0, maxX_ = 0, maxY_ = 0;  // device bounds of the path
};

}  // namespace twk
