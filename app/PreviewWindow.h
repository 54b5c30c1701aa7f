#pragma once
// The "Preview" tool window: the drawing at its real sizes, one column per
// size, on a white row and on a dark grey row, with the size written under
// each column. Pictures are shown one picture pixel on one device pixel, so
// the screen scale never enlarges them, or magnified x2, x4 or x8 (see
// PreviewMagnifier). Under them, the pointer's place on the canvas. Owned
// by the main window; fixed size; a close button only, which hides it.
// Showing it never takes the keyboard focus; a click gives it the focus for
// its own keys, and every other key still goes to the main window.

#include <QImage>
#include <QWidget>
#include <array>
#include <functional>
#include <optional>

#include "render/preview/PreviewComposer.h"

class QLabel;

namespace twk {

class PreviewMaskRow;

// Top-left corner for a window of `frameSize` beside `ownerFrame`, top edges
// level: on the right when it fits there, else on the left when it fits
// there, else on the roomier side; moved as little as needed to lie inside
// `screen`.
QPoint PlaceBeside(const QRect& ownerFrame, const QSize& frameSize, const QRect& screen);

class PreviewWindow : public QWidget {
  Q_OBJECT

 public:
  explicit PreviewWindow(QWidget* owner);

  // Shows a finished set of pictures.
  void ShowPictures(const PreviewPictures& pictures);
  // The text under kPreviewSizes[sizeIndex] giving its crispness: "M "
  // and the figure with two decimals; empty without a figure.
  QString figureText(int sizeIndex) const;
  // The picture shown for kPreviewSizes[sizeIndex] over `ground`, at its
  // real size.
  const QImage& picture(int sizeIndex, PreviewGround ground) const;
  // Shows the pictures `factor` times larger (one of kMagnifications).
  void SetMagnification(int factor);
  int magnification() const { return magnification_; }
  // The pointer's place on the canvas in units, or none when it is off the
  // canvas.
  void ShowPointer(std::optional<QPointF> units);
  QString pointerText() const;
  // While newer pictures are painted elsewhere the ones shown stay, with a
  // quiet "Painting..." under them.
  void SetPainting(bool painting);
  bool painting() const;
  // Moves the window beside its owner, inside the owner's screen, unless the
  // user has moved it since it was last placed: from then on it stays where
  // the user put it.
  void PlaceBesideOwner();
  // The row of the platforms' masks, under the sizes.
  PreviewMaskRow* maskRow() const { return maskRow_; }
  // Shown and not minimised: only then are its pictures worth painting.
  bool isShowing() const { return isVisible() && !isMinimized(); }

  // The window came back from being minimised by the window manager.
  std::function<void()> restored;

 protected:
  void changeEvent(QEvent* event) override;

 private:
  static constexpr std::size_t kColumns = kPreviewSizes.size();
  static constexpr std::size_t kRows = kPreviewGrounds.size();
  std::array<std::array<QLabel*, kColumns>, kRows> cells_{};
  std::array<QLabel*, kColumns> figures_{};
  std::array<QLabel*, kColumns> sizeTexts_{};
  std::array<std::array<QImage, kColumns>, kRows> pictures_;
  PreviewMaskRow* maskRow_ = nullptr;
  std::array<std::array<std::shared_ptr<const Image>, kColumns>, kRows> images_;
  int magnification_ = 1;
  QLabel* pointer_ = nullptr;
  QLabel* painting_ = nullptr;
  // Shows images_ at the magnification.
  void ShowMagnified();
  std::optional<QPoint> placedAt_;  // where PlaceBesideOwner last put it
  bool movedByUser_ = false;
};

}  // namespace twk
