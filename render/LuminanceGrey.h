#pragma once
// Pictures made grey: each pixel the grey of its own luminance, its
// opacity kept, for the looks a system tints itself.

#include "render/Image.h"

namespace twk {

// Every pixel of `image` becomes the grey of its luminance (Rec. 709
// weights of its red, green and blue as stored), its alpha unchanged.
void MakeLuminanceGrey(Image& image);

}  // namespace twk
