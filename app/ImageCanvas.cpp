#include "app/ImageCanvas.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace twk {

ImageCanvas::ImageCanvas(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void ImageCanvas::setImage(const QImage& image) {
  image_ = image;
  update();
}

void ImageCanvas::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  if (!image_.isNull()) painter.drawImage(0, 0, image_);
}

QPoint ImageCanvas::Reported(const QMouseEvent* event, bool buttonHeld) const {
  QPoint p = event->position().toPoint();
  if (confine_ && buttonHeld) {
    p.setX(std::clamp(p.x(), 0, std::max(0, width() - 1)));
    p.setY(std::clamp(p.y(), 0, std::max(0, height() - 1)));
  }
  return p;
}

void ImageCanvas::mousePressEvent(QMouseEvent* event) {
  if (onPress) onPress(event->button(), Reported(event, true), event->modifiers());
}

void ImageCanvas::mouseMoveEvent(QMouseEvent* event) {
  if (onMove) onMove(Reported(event, event->buttons() != Qt::NoButton));
}

void ImageCanvas::mouseReleaseEvent(QMouseEvent* event) {
  // The released button is held until this event is handled.
  if (onRelease) onRelease(event->button(), Reported(event, true));
}

void ImageCanvas::mouseDoubleClickEvent(QMouseEvent* event) { mousePressEvent(event); }

}  // namespace twk
