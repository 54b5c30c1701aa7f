#pragma once
// Drawings that cost fitting and the crispness figure far more than their
// size: many items sharing their edge positions, and one item reaching far
// outside the picture.

#include "document/Colour.h"
#include "document/Document.h"

namespace twk::test {

inline TWKDATA FitLine(float x1, float y1, float x4, float y4, float width) {
  TWKDATA line;
  line.Type = kLine;
  line.DrawMethod = kSolid;
  line.DrawMethod2 = kCenterEnds;
  line.DrawWidth = width;
  line.DrawRGBA = PackRGBA(0, 0, 0, 255);
  line.Visible = 1;
  line.X1 = x1, line.Y1 = y1, line.X4 = x4, line.Y4 = y4;
  return line;
}

// `count` copies of one horizontal line 1 unit wide.
inline TWKFILE IdenticalLines(int count) {
  TWKFILE doc;
  for (int i = 0; i < count; ++i) doc.CData.append(FitLine(2, 7.3f, 14, 7.3f, 1));
  return doc;
}

// `count` half-unit lines, horizontal and vertical in turn, starting on the
// 32 x 32 points of the half-unit grid (1,024 positions, each shared by many).
inline TWKFILE HalfUnitGrid(int count) {
  TWKFILE doc;
  for (int i = 0; i < count; ++i) {
    const int p = i % 1024;
    const float x = 0.5f * static_cast<float>(p % 32), y = 0.5f * static_cast<float>(p / 32);
    doc.CData.append(i % 2 ? FitLine(x, y, x, y + 0.5f, 0.25f) : FitLine(x, y, x + 0.5f, y, 0.25f));
  }
  return doc;
}

// One horizontal line from x = -`reach` to `reach` through the picture.
inline TWKFILE FarLine(float reach, float width = 1) {
  TWKFILE doc;
  doc.CData.append(FitLine(-reach, 8.2f, reach, 8.2f, width));
  return doc;
}

}  // namespace twk::test
