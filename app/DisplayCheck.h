#pragma once
// Whether the editor can have a window at all, asked before Qt starts: Qt
// ends a program that has no display with an abort and a core dump.

#include <QString>
#include <QtGlobal>
#include <string>

namespace twk {

// Why no window can be shown ("DISPLAY is not set", ...), or empty when
// one may be. `platform`, `display` and `wayland` are the values of
// QT_QPA_PLATFORM, DISPLAY and WAYLAND_DISPLAY (null when unset). Only the
// desktop platforms need a display; a local X display must answer.
std::string MissingDisplay(const char* platform, const char* display, const char* wayland);

// Qt's message handler while the application object is being made. A
// display that answered the check above can still go away or refuse the
// editor before Qt has connected to it (a server that is ending, one with
// no room for another client); Qt then ends with a fatal message, an abort
// and a core dump. Here its messages are printed as Qt prints them, and a
// fatal one ends the editor with "no display: ..." and status 1, as a
// missing display does.
void EndStartWithoutDisplay(QtMsgType type, const QMessageLogContext& context, const QString& message);

}  // namespace twk
