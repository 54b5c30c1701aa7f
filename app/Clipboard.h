#pragma once
// The one seam between the commands and the system clipboard. The program
// uses the desktop's clipboard; tests install one that keeps its contents in
// memory.

#include <string>
#include <vector>

#include "export/ItemClipboardData.h"

namespace twk {

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  // Replaces what the clipboard holds with these kinds of data.
  virtual void Put(const std::vector<ClipboardEntry>& entries) = 0;
  // The bytes the clipboard holds of kind `mimeType`; empty when it holds
  // none of that kind.
  virtual std::string Get(const std::string& mimeType) = 0;
};

// The desktop's clipboard (the X11 CLIPBOARD selection).
Clipboard& SystemClipboard();

}  // namespace twk
