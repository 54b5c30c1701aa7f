#include "app/ImageCanvas.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cstring>

namespace twk {

ImageCanvas::ImageCanvas(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);  // for onHover
}

void ImageCanvas::setImage(const QImage& image) {
  image_ = image;
  update();
}

void ImageCanvas::setImageArea(const QImage& source, const QRect& area) {
  if (source.size() != image_.size() || source.format() != image_.format() || source.depth() != 32) {
    setImage(source.copy());
    return;
  }
  const QRect copied = area.intersected(image_.rect());
  if (copied.isEmpty()) return;
  const qsizetype bytes = qsizetype(copied.width()) * 4;  // 32-bit pixels: the canvas's formats
  for (int y = copied.top(); y <= copied.bottom(); ++y) {
    std::memcpy(image_.scanLine(y) + qsizetype(copied.left()) * 4, source.constScanLine(y) + qsizetype(copied.left()) * 4,
                static_cast<std::size_t>(bytes));
  }
  update(copied);
}

void ImageCanvas::setPainting(bool painting) {
  if (painting == painting_) return;
  painting_ = painting;
  update();
}

void ImageCanvas::paintEvent(QPaintEvent* event) {
  // Only the rectangle asked for: after a small change that is all.
  const QRect asked = event->rect();
  QPainter painter(this);
  painter.fillRect(asked, Qt::white);
  if (!image_.isNull()) painter.drawImage(asked.topLeft(), image_, asked);
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
  if (onHover) {
    const QPoint at = event->position().toPoint();
    onHover(rect().contains(at) ? std::optional<QPoint>(at) : std::nullopt);
  }
  if (onMove) onMove(Reported(event, event->buttons() != Qt::NoButton));
}

void ImageCanvas::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  if (onHover) onHover(std::nullopt);
}

void ImageCanvas::mouseReleaseEvent(QMouseEvent* event) {
  // The released button is held until this event is handled.
  if (onRelease) onRelease(event->button(), Reported(event, true));
}

void ImageCanvas::mouseDoubleClickEvent(QMouseEvent* event) { mousePressEvent(event); }

}  // namespace twk
