#pragma once
// Whether the editor can have a window at all, asked before Qt starts: Qt
// ends a program that has no display with an abort and a core dump.

#include <string>

namespace twk {

// Why no window can be shown ("DISPLAY is not set", ...), or empty when
// one may be. `platform`, `display` and `wayland` are the values of
// QT_QPA_PLATFORM, DISPLAY and WAYLAND_DISPLAY (null when unset). Only the
// desktop platforms need a display; a local X display must answer.
std::string MissingDisplay(const char* platform, const char* display, const char* wayland);

}  // namespace twk
