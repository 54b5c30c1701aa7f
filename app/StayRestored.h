#pragma once
// Keeps a window from being minimised. The windows ask for a close button
// only, but some window managers (openbox among them) offer minimising
// whatever a window asks; minimising the export window there hides the
// disabled main window with it and leaves nothing to click.

class QWidget;

namespace twk {

// Restores `window` whenever it gets minimised, for as long as it lives.
void KeepFromMinimising(QWidget* window);

}  // namespace twk
