#pragma once
// The Preview's row of masks: the drawing at 48 pixels as each platform's
// launcher or system cuts it (Android circle, squircle and rounded square,
// the maskable web icon, the iOS icon) and on a light and a dark ground, a
// short name under each. A cell whose drawing pokes out of the platform's
// safe area carries the red circle of that area and says so in its tooltip.

#include <QImage>
#include <QWidget>
#include <array>
#include <functional>

#include "export/MaskPreview.h"

class QLabel;

namespace twk {

class PreviewMaskRow : public QWidget {
  Q_OBJECT

 public:
  explicit PreviewMaskRow(QWidget* parent = nullptr);

  // Shows the cells of `preview`.
  void ShowMasks(const MaskPreview& preview);
  // The picture a cell shows, and whether it is marked out of its safe area.
  const QImage& picture(MaskCell cell) const { return pictures_[static_cast<std::size_t>(cell)]; }
  bool marked(MaskCell cell) const { return marked_[static_cast<std::size_t>(cell)]; }

  // The row is about to be seen: its pictures are wanted up to date.
  std::function<void()> shown;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  std::array<QLabel*, kMaskCells> cells_{};
  std::array<QImage, kMaskCells> pictures_;
  std::array<bool, kMaskCells> marked_{};
};

}  // namespace twk
