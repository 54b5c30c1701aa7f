#pragma once
// Pixel memory a thread keeps from one picture to the next: it grows to the
// largest picture asked for and is then reused, so a run of pictures of
// falling sizes allocates (and faults in) its memory once.

#include <cstdint>
#include <memory>
#include <vector>

#include "render/Image.h"

namespace twk {

class KeptImage {
 public:
  // A fully transparent w x h image over the kept memory, valid until the
  // next call or the end of this object; nullptr when the size is refused or
  // memory runs out.
  Image* Transparent(int w, int h);

 private:
  std::vector<std::uint32_t> pixels_;
  std::unique_ptr<Image> view_;
};

}  // namespace twk
