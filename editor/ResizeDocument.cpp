#include "editor/ResizeDocument.h"

#include "document/Rounding.h"

namespace twk {

void ResizeDocument::SetSize(Editor& ed, DocumentSize size) {
  ed.doc.TWKW = size.w;
  ed.doc.TWKH = size.h;
  if (ed.state.Constructing) {
    ed.resizedWhileDrawing = true;
  } else {
    ed.documentResized(RoundToInt(size.w), RoundToInt(size.h));
  }
}

bool ResizeDocument::Absorb(EditCommand& later) {
  auto* next = dynamic_cast<ResizeDocument*>(&later);
  if (!next) return false;
  after_ = next->after_;
  return true;
}

}  // namespace twk
