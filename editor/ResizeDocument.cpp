#include "editor/ResizeDocument.h"

namespace twk {

void ResizeDocument::SetSize(EditorSession& ed, DocumentSize size) {
  ed.doc().TWKW = size.w;
  ed.doc().TWKH = size.h;
}

bool ResizeDocument::Absorb(EditCommand& later) {
  auto* next = dynamic_cast<ResizeDocument*>(&later);
  if (!next) return false;
  after_ = next->after_;
  return true;
}

}  // namespace twk
