#include "app/SettleEvents.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>

namespace twk {

bool SettleUntil(const std::function<bool()>& settled, int timeoutMs) {
  const QDeadlineTimer deadline(timeoutMs);
  // Wakes the loop below once the time is up, should no report come.
  QTimer alarm;
  alarm.setSingleShot(true);
  alarm.start(timeoutMs);
  while (!settled()) {
    if (deadline.hasExpired()) return false;
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
  return true;
}

}  // namespace twk
