#pragma once
// A drawing that takes seconds to export at every size, for the tests that
// stop or cancel an export while it runs: translucent dotted rings with
// round dots over the whole area.

#include "document/Colour.h"
#include "document/Document.h"

namespace twk::test {

inline TWKFILE SlowToExport() {
  TWKFILE doc;
  for (int i = 0; i < 600; ++i) {
    TWKDATA ring;
    ring.Type = kEllipse;
    ring.DrawMethod = kDots;
    ring.DrawMethod2 = 2;
    ring.DrawWidth = 0.3f;
    ring.Visible = 1;
    ring.DrawRGBA = PackRGBA(20, 80, 200, 60);
    ring.X1 = ring.Y1 = 8;
    ring.X4 = ring.Y4 = 8 + 0.00625f * static_cast<float>(i);
    ring.X2 = 0, ring.Y2 = 360;
    doc.CData.append(ring);
  }
  return doc;
}

}  // namespace twk::test
