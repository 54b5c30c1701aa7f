#include "app/StayRestored.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace twk {
namespace {

class MinimiseRefuser : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::WindowStateChange) {
      auto* window = static_cast<QWidget*>(watched);
      if (window->windowState() & Qt::WindowMinimized) {
        // Restored once the window manager has finished minimising it.
        QTimer::singleShot(0, window, [window] { window->setWindowState(window->windowState() & ~Qt::WindowMinimized); });
      }
    }
    return false;
  }
};

}  // namespace

void KeepFromMinimising(QWidget* window) { window->installEventFilter(new MinimiseRefuser(window)); }

}  // namespace twk
