#pragma once
// A control that shows a picture and reports its mouse buttons and moves in
// its own pixels. Used for the drawing canvas imgDraw and the palette strip
// imgPalette. With confinement on, positions reported while a button is held
// are clamped to the control, as if the pointer could not leave it.

#include <QImage>
#include <QWidget>
#include <functional>
#include <optional>

namespace twk {

class ImageCanvas : public QWidget {
  Q_OBJECT

 public:
  explicit ImageCanvas(QWidget* parent = nullptr);

  void setImage(const QImage& image);
  // Copies the rectangle `area` of `source` into the picture shown and
  // repaints that rectangle alone: `source` is the picture shown with only
  // `area` changed. A source of another size or format is shown whole.
  void setImageArea(const QImage& source, const QRect& area);
  const QImage& image() const { return image_; }
  void setConfinePointer(bool confine) { confine_ = confine; }
  // While a new picture is painted elsewhere the last one stays, with a
  // quiet "Painting..." in its corner.
  void setPainting(bool painting);
  bool painting() const { return painting_; }

  // The modifier keys held at the press come along.
  std::function<void(Qt::MouseButton, QPoint, Qt::KeyboardModifiers)> onPress;
  std::function<void(QPoint)> onMove;
  std::function<void(Qt::MouseButton, QPoint)> onRelease;
  // Where the pointer is over the canvas, button held or not; none once it
  // has left.
  std::function<void(std::optional<QPoint>)> onHover;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  // Qt delivers the second press of a double click as a double click
  // only; it is a press like any other (it may start a drawing or a drag).
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  QPoint Reported(const QMouseEvent* event, bool buttonHeld) const;

  QImage image_;
  bool confine_ = false;
  bool painting_ = false;
};

}  // namespace twk
