#pragma once
// A solid colour laid over premultiplied ARGB32 pixels through 8-bit
// coverage, in the arithmetic cairo's image surfaces use for it (pixman's
// "over" of a solid source through an a8 mask): per channel
//   out = src x m + dst x (255 - alpha(src) x m),
// where a x b is a*b/255 rounded as pixman rounds and the sum saturates.
// Laying a run this way gives the bytes cairo_mask gives, without its
// per-call set-up, and skips stretches whose coverage is zero.

#include <cstdint>

namespace twk {

// The premultiplied pixel cairo composites for the source colour
// (r, g, b, a), each in 0..1 as cairo_pattern_get_rgba reports them.
std::uint32_t SolidPixel(double r, double g, double b, double a);

// Lays `solid` over pixels[first..end) through coverage[first..end) and
// clears those coverage bytes. Pixels under zero coverage are left as they
// are (though they may be written back unchanged).
void LaySolidRun(std::uint32_t* pixels, std::uint8_t* coverage, int first, int end, std::uint32_t solid);

}  // namespace twk
