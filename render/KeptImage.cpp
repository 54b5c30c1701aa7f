#include "render/KeptImage.h"

#include <cstring>
#include <new>

namespace twk {

Image* KeptImage::Transparent(int w, int h) try {
  view_.reset();
  if (!Image::SizeAllowed(w, h)) return nullptr;
  const std::size_t count = static_cast<std::size_t>(w) * static_cast<std::size_t>(h);
  if (pixels_.size() < count) {
    pixels_.clear();
    pixels_.shrink_to_fit();  // never hold the old and the new memory at once
    pixels_.resize(count);    // zeroed: transparent
  } else {
    std::memset(pixels_.data(), 0, count * sizeof(std::uint32_t));
  }
  view_ = Image::OverMemory(reinterpret_cast<std::uint8_t*>(pixels_.data()), w, h);
  return view_.get();
} catch (const std::bad_alloc&) {
  return nullptr;  // out of memory
}

}  // namespace twk
