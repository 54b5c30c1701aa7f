#pragma once
// The editor state shared by the canvas, the keyboard commands and the
// palette: the tool settings the next drawn item takes over, and the item
// under construction.

#include <cstdint>

#include "document/Item.h"

namespace twk {

struct EditorState {
  int CurType = kLine;          // 0, 2 or 3; never 1
  int CurDrawMethod = kSolid;   // 0..2
  int CurDrawMethod2 = kSquareEnds;  // 0..2
  float CurDrawWidth = 1.0f;    // 0.25..10, step 0.25
  int CurAlpha = 255;           // 0..255, step 5
  std::int32_t CurRGB = 0;      // colour packing, alpha byte 0

  bool Constructing = false;
  TWKDATA* ConstructionItem = nullptr;  // front item of CData while Constructing
  bool FirstControlFixed = false;
  bool SecondControlFixed = false;
};

// Canvas pixels per document unit at screen scale 1, per axis.
constexpr float kUnitPixels = 20.0f;

}  // namespace twk
