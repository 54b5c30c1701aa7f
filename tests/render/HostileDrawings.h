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

// `count` translucent ellipse arcs of three turns each, inside the picture,
// drawn with `method` (round dots or a solid pen) and round ends.
inline TWKFILE TranslucentArcs(int count, DrawMethodCode method) {
  TWKFILE doc;
  for (int i = 0; i < count; ++i) {
    TWKDATA arc;
    arc.Type = kEllipse;
    arc.DrawMethod = method;
    arc.DrawMethod2 = kRoundEnds;
    arc.DrawWidth = 0.25f;
    arc.DrawRGBA = PackRGBA(32, 64, 128, 128);
    arc.Visible = 1;
    arc.X1 = 6.0f + static_cast<float>(i % 5);
    arc.Y1 = 6.0f + static_cast<float>(i % 3);
    arc.X4 = arc.X1 + 5;
    arc.Y4 = arc.Y1 + 4;
    arc.X2 = static_cast<float>(i % 360);
    arc.Y2 = arc.X2 + 1080;
    doc.CData.append(arc);
  }
  return doc;
}

// `count` opaque rectangles filling the whole picture, each a colour of its
// own.
inline TWKFILE OpaqueFills(int count) {
  TWKFILE doc;
  for (int i = 0; i < count; ++i) {
    TWKDATA fill;
    fill.Type = kRect;
    fill.DrawMethod = kFill;
    fill.DrawMethod2 = kCenterEnds;
    fill.DrawWidth = 0.5f;
    fill.DrawRGBA = PackRGBA(i % 256, (i * 7) % 256, (i * 13) % 256, 255);
    fill.Visible = 1;
    fill.X1 = 0;
    fill.Y1 = 0;
    fill.X4 = 16;
    fill.Y4 = 16;
    doc.CData.append(fill);
  }
  return doc;
}

}  // namespace twk::test
