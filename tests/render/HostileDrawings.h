#pragma once
// Documents built to cost the renderer and the SVG writer far more than
// their size: dotted arcs whose dots lie almost all outside the picture, and
// figures reaching past cairo's fixed-point range.

#include "document/Colour.h"
#include "document/Document.h"

namespace twk::test {

// `count` dotted ellipse arcs of radius 80 units turning three times about
// points of the picture, round dots 1 pixel apart at 1024 pixels.
inline TWKFILE DottedArcs(int count) {
  TWKFILE doc;
  for (int i = 0; i < count; ++i) {
    TWKDATA arc;
    arc.Type = kEllipse;
    arc.DrawMethod = kDots;
    arc.DrawMethod2 = kRoundEnds;
    arc.DrawWidth = 1.0f / 32;  // dots 0.5 x width apart: a pixel at 64 pixels a unit
    arc.DrawRGBA = PackRGBA(0, 0, 0, 255);
    arc.Visible = 1;
    arc.X1 = 2.0f + static_cast<float>(i % 13);
    arc.Y1 = 2.0f + static_cast<float>(i % 11);
    arc.X4 = arc.X1 + 80;
    arc.Y4 = arc.Y1 + 80;
    arc.X2 = static_cast<float>(i % 360);
    arc.Y2 = arc.X2 + 1080;
    doc.CData.append(arc);
  }
  return doc;
}

}  // namespace twk::test
