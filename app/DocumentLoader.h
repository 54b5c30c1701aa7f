#pragma once
// What a command that brings a whole document (Load, a restored drawing)
// hands it to.

#include <string>

#include "document/Document.h"

namespace twk {

class DocumentLoader {
 public:
  // Puts `doc` in place of the whole document as one undo step; Save then
  // proposes `savePath`, and Ctrl+S writes `ownFile` (empty: asks). The
  // item list, the grid and the canvas follow.
  virtual void LoadDocument(TWKFILE doc, std::string savePath, std::string ownFile = {}) = 0;

 protected:
  ~DocumentLoader() = default;
};

}  // namespace twk
