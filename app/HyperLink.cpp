#include "app/HyperLink.h"

#include <QDesktopServices>
#include <QMouseEvent>

namespace twk {

HyperLink::HyperLink(const QString& text, const QUrl& address, QWidget* parent)
    : QLabel(text, parent), address_(address) {
  setTextFormat(Qt::PlainText);
  setCursor(Qt::PointingHandCursor);
  opener_ = [](const QUrl& url) { QDesktopServices::openUrl(url); };
}

void HyperLink::SetHovered(bool hovered) {
  hovered_ = hovered;
  QPalette pal = palette();
  if (hovered) {
    pal.setColor(QPalette::WindowText, QColor(0, 0, 255));
  } else {
    pal.setColor(QPalette::WindowText, parentWidget() ? parentWidget()->palette().color(QPalette::WindowText)
                                                      : QPalette().color(QPalette::WindowText));
  }
  setPalette(pal);
}

void HyperLink::enterEvent(QEnterEvent* event) {
  SetHovered(true);
  QLabel::enterEvent(event);
}

void HyperLink::leaveEvent(QEvent* event) {
  SetHovered(false);
  QLabel::leaveEvent(event);
}

void HyperLink::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && opener_) {
    opener_(address_);
  }
  QLabel::mouseReleaseEvent(event);
}

}  // namespace twk
