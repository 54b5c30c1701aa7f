#pragma once
// Hands a rendered picture to Qt: cairo's premultiplied ARGB32 and Qt's
// Format_ARGB32_Premultiplied share one memory layout, so the bytes are
// copied as they are.

#include <QImage>

#include "render/Image.h"

namespace twk {

// A copy of `image`'s pixels.
QImage ToQImage(const Image& image);

// A view of `image`'s pixels, valid while `image` lives and is not drawn on.
QImage ImageView(const Image& image);

}  // namespace twk
