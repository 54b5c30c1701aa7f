#pragma once
// The palette strip under the canvas: the configuration's colours with the
// current one marked. A left click on a slot makes its colour current; a
// right click asks for a new colour for the slot and makes that current.

#include <cstdint>
#include <random>

#include "app/Dialogs.h"
#include "app/ScreenScale.h"
#include "document/EditorState.h"
#include "persist/Config.h"

namespace twk {

class ImageCanvas;

class PaletteView {
 public:
  // Paints `config`'s palette and `state`'s CurRGB on `strip`; asks for
  // colours through `ask`. All of them outlive the view.
  PaletteView(CONFIG& config, EditorState& state, ImageCanvas& strip, ScreenScale scale, Asking ask);

  // Paints the strip from the configuration's palette and CurRGB.
  void Draw();
  // Fresh default palette drawn by a random engine seeded with `seed`;
  // CurRGB becomes its first colour.
  void Default(std::mt19937::result_type seed);

 private:
  void OnRelease(int button, int x);

  CONFIG& config_;
  EditorState& state_;
  ImageCanvas& strip_;
  ScreenScale scale_;
  Asking ask_;
};

}  // namespace twk
