#include "app/ImageCanvas.h"

#include <QFontMetrics>
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

void ImageCanvas::setPainting(bool painting) {
  if (painting == painting_) return;
  painting_ = painting;
  update();
}

void ImageCanvas::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  if (!image_.isNull()) painter.drawImage(0, 0, image_);
  if (!painting_) return;
  // Grey on a pale strip in the bottom-right corner: seen, but not in the way.
  const QString text = QStringLiteral("Painting...");
  const QFontMetrics metrics(font());
  const QRect box = metrics.boundingRect(text).adjusted(-4, -2, 4, 2);
  const QRect at(rect().right() - box.width() - 3, rect().bottom() - box.height() - 3, box.width(), box.height());
  painter.fillRect(at, QColor(255, 255, 255, 200));
  painter.setPen(QColor(96, 96, 96));
  painter.drawText(at, Qt::AlignCenter, text);
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
