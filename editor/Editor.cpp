#include "editor/Editor.h"

#include "document/Rounding.h"

namespace twk {

void ReportChange(Editor& ed, unsigned kinds) {
  DocumentChange change{kinds};
  if (change.Has(DocumentChange::kSize)) {
    if (ed.state.Constructing) {
      // The drawing keeps its grid, so the size comes with the report that
      // ends it; the picture is still repainted now, with the drawing.
      ed.resizedWhileDrawing = true;
      change.kinds &= ~unsigned{DocumentChange::kSize};
      change.kinds |= DocumentChange::kConstruction;
    } else {
      change.width = RoundToInt(ed.doc.TWKW);
      change.height = RoundToInt(ed.doc.TWKH);
    }
  }
  if (change.kinds != 0) ed.changed(change);
}

}  // namespace twk
