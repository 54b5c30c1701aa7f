#include "app/PreviewMaskRow.h"

#include <QGridLayout>
#include <QLabel>

#include "app/ImageConversion.h"

namespace twk {

namespace {

constexpr int kCellGap = 12;

bool Marked(const MaskPreview& preview, MaskCell cell) {
  switch (cell) {
    case MaskCell::kAndroidCircle:
    case MaskCell::kAndroidSquircle:
    case MaskCell::kAndroidRoundedSquare: return preview.androidOutside;
    case MaskCell::kWebMaskable: return preview.webOutside;
    default: return false;
  }
}

}  // namespace

PreviewMaskRow::PreviewMaskRow(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("rowMasks"));
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(kCellGap);
  grid->setVerticalSpacing(2);
  grid->setContentsMargins(8, 8, 8, 8);
  for (std::size_t i = 0; i < kMaskCells; ++i) {
    QLabel*& label = cells_[i];
    label = new QLabel;
    label->setFixedSize(kMaskCellEdge, kMaskCellEdge);
    label->setAlignment(Qt::AlignCenter);
    grid->addWidget(label, 0, static_cast<int>(i), Qt::AlignHCenter);
    auto* name = new QLabel(QString::fromLatin1(MaskCellName(static_cast<MaskCell>(i))));
    name->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    grid->addWidget(name, 1, static_cast<int>(i), Qt::AlignHCenter);
  }
  // What the names stand for, once, under the row.
  auto* legend = new QLabel(QStringLiteral("Android launchers · web maskable · iOS · light and dark ground"));
  legend->setAlignment(Qt::AlignLeft);
  grid->addWidget(legend, 2, 0, 1, static_cast<int>(kMaskCells));
  setLayout(grid);
}

void PreviewMaskRow::ShowMasks(const MaskPreview& preview) {
  for (std::size_t i = 0; i < kMaskCells; ++i) {
    const Image* image = preview.cells[i].get();
    pictures_[i] = image ? ToQImage(*image) : QImage();
    marked_[i] = Marked(preview, static_cast<MaskCell>(i));
    // One picture pixel on one device pixel, as the sizes above show them.
    QPixmap pixmap = QPixmap::fromImage(pictures_[i]);
    pixmap.setDevicePixelRatio(devicePixelRatioF());
    cells_[i]->setPixmap(pixmap);
    cells_[i]->setToolTip(marked_[i] ? QStringLiteral("The drawing leaves the safe circle (red): a mask may cut it")
                                     : QString());
  }
}

void PreviewMaskRow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (shown) shown();
}

}  // namespace twk
