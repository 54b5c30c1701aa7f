#include "render/LayerRows.h"

#include <algorithm>
#include <cstring>

#include <cairo.h>

namespace twk {

namespace {

bool Clip(const Image& target, int& top, int& bottom) {
  top = std::max(top, 0);
  bottom = std::min(bottom, target.height());
  return top < bottom;
}

// Runs `draw` with `cr` clipped to the rows [top, bottom) of `target`.
template <typename Draw>
void OnRows(Image& target, int top, int bottom, cairo_operator_t op, Draw draw) {
  if (!Clip(target, top, bottom)) return;
  cairo_t* cr = cairo_create(target.surface());
  cairo_set_operator(cr, op);
  cairo_rectangle(cr, 0, top, target.width(), bottom - top);
  cairo_clip(cr);
  draw(cr);
  cairo_destroy(cr);
}

}  // namespace

void CopyRows(Image& target, const Image& source, int top, int bottom) {
  if (!Clip(target, top, bottom) || source.stride() != target.stride() || source.height() < bottom) return;
  cairo_surface_flush(source.surface());
  cairo_surface_flush(target.surface());
  const std::size_t stride = static_cast<std::size_t>(target.stride());
  std::memcpy(target.data() + stride * static_cast<std::size_t>(top),
              source.data() + stride * static_cast<std::size_t>(top), stride * static_cast<std::size_t>(bottom - top));
  target.MarkDirty();
}

void ClearRows(Image& target, int top, int bottom) {
  OnRows(target, top, bottom, CAIRO_OPERATOR_CLEAR, [](cairo_t* cr) { cairo_paint(cr); });
}

}  // namespace twk
