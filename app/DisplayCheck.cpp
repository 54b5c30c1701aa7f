#include "app/DisplayCheck.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace twk {

namespace {

bool Set(const char* value) { return value && value[0] != '\0'; }

// ":0", ":0.0" and "unix:0" are served by the socket /tmp/.X11-unix/X0;
// a display on another host is taken on trust.
bool LocalDisplayAnswers(const std::string& display) {
  const std::size_t colon = display.rfind(':');
  if (colon == std::string::npos) return false;
  const std::string host = display.substr(0, colon);
  if (!host.empty() && host != "unix") return true;
  const std::string number = display.substr(colon + 1, display.find('.', colon) - colon - 1);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string socketPath = "/tmp/.X11-unix/X" + number;
  if (number.empty() || socketPath.size() >= sizeof(address.sun_path)) return false;
  std::memcpy(address.sun_path, socketPath.c_str(), socketPath.size());
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return true;  // cannot tell: let Qt try
  const bool answers = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
  ::close(fd);
  return answers;
}

}  // namespace

std::string MissingDisplay(const char* platform, const char* display, const char* wayland) {
  const std::string chosen = Set(platform) ? platform : "";
  // offscreen, minimal, vnc and the like need no display of ours.
  const bool x = chosen.empty() || chosen.rfind("xcb", 0) == 0;
  const bool w = chosen.empty() || chosen.rfind("wayland", 0) == 0;
  if (!x && !w) return {};
  if (w && Set(wayland)) return {};
  if (!x) return "WAYLAND_DISPLAY is not set";
  if (!Set(display)) return Set(wayland) ? "WAYLAND_DISPLAY is set but QT_QPA_PLATFORM asks for X" : "DISPLAY is not set";
  if (!LocalDisplayAnswers(display)) return std::string("cannot open display ") + display;
  return {};
}

void EndStartWithoutDisplay(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  std::fprintf(stderr, "%s\n", qFormatLogMessage(type, context, message).toLocal8Bit().constData());
  if (type != QtFatalMsg) return;
  const char* display = std::getenv("DISPLAY");
  const std::string which = display && display[0] ? std::string("display ") + display : "the display";
  std::fprintf(stderr, "no display: %s did not let the editor connect\n", which.c_str());
  std::_Exit(1);
}

}  // namespace twk
