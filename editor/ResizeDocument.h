#pragma once
// A change of the document size (the keypad's size keys).

#include "editor/EditCommand.h"

namespace twk {

struct DocumentSize {
  float w = 16;
  float h = 16;
};

class ResizeDocument : public EditCommand {
 public:
  ResizeDocument(DocumentSize before, DocumentSize after) : before_(before), after_(after) {}
  void Apply(EditorSession& ed) override { SetSize(ed, after_); }
  void Revert(EditorSession& ed) override { SetSize(ed, before_); }
  // Another resize: from this one's start to that one's end.
  bool Absorb(EditCommand& later) override;
  unsigned Changes() const override { return DocumentChange::kSize; }

 private:
  static void SetSize(EditorSession& ed, DocumentSize size);
  DocumentSize before_;
  DocumentSize after_;
};

}  // namespace twk
