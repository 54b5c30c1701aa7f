#include "app/PreviewWindow.h"

#include <QBoxLayout>
#include <QEvent>
#include <QWindowStateChangeEvent>
#include <QLabel>
#include <QScreen>
#include <algorithm>
#include <cmath>

#include "app/ImageConversion.h"
#include "app/MainWindow.h"
#include "app/PreviewMaskRow.h"
#include "app/PreviewMagnifier.h"
#include "document/Colour.h"
#include "export/ExportSizes.h"
#include "render/preview/MagnifiedPicture.h"

namespace twk {

namespace {

// Room between the columns and around the pictures of a row.
constexpr int kColumnGap = 12;
constexpr int kRowMargin = 8;

QHBoxLayout* RowLayout() {
  auto* row = new QHBoxLayout;
  row->setSpacing(kColumnGap);
  row->setContentsMargins(kRowMargin, kRowMargin, kRowMargin, kRowMargin);
  return row;
}

std::size_t RowOf(PreviewGround ground) { return ground == PreviewGround::kLight ? 0 : 1; }

}  // namespace

QPoint PlaceBeside(const QRect& ownerFrame, const QSize& frameSize, const QRect& screen) {
  const int roomRight = screen.right() - ownerFrame.right();
  const int roomLeft = ownerFrame.left() - screen.left();
  const bool right = roomRight >= frameSize.width() || (roomLeft < frameSize.width() && roomRight >= roomLeft);
  const int besideX = right ? ownerFrame.right() + 1 : ownerFrame.left() - frameSize.width();
  const int x = std::max(std::min(besideX, screen.right() + 1 - frameSize.width()), screen.left());
  const int y = std::max(std::min(ownerFrame.top(), screen.bottom() + 1 - frameSize.height()), screen.top());
  return {x, y};
}

PreviewWindow::PreviewWindow(QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("wndPreview"));
  setWindowTitle(QStringLiteral("Preview"));
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFocusPolicy(Qt::ClickFocus);

  auto* box = new QVBoxLayout;
  box->setSpacing(0);
  box->setContentsMargins(kWindowMargin, kWindowMargin, kWindowMargin, kWindowMargin);
  box->setSizeConstraint(QLayout::SetFixedSize);  // not resizable
  setLayout(box);

  const int cell = *std::max_element(kPreviewSizes.begin(), kPreviewSizes.end());
  for (PreviewGround ground : kPreviewGrounds) {
    auto* band = new QWidget;
    band->setAutoFillBackground(true);
    QPalette palette = band->palette();
    const std::int32_t colour = GroundColour(ground);
    palette.setColor(QPalette::Window, QColor(RedOf(colour), GreenOf(colour), BlueOf(colour)));
    band->setPalette(palette);
    QHBoxLayout* row = RowLayout();
    for (QLabel*& label : cells_[RowOf(ground)]) {
      label = new QLabel;
      label->setFixedSize(cell, cell);
      label->setAlignment(Qt::AlignCenter);
      row->addWidget(label);
    }
    band->setLayout(row);
    box->addWidget(band);
  }
  QHBoxLayout* texts = RowLayout();
  for (std::size_t s = 0; s < kColumns; ++s) {
    auto* label = new QLabel(QString::fromStdString(SizeText(static_cast<float>(kPreviewSizes[s]) / 16.0f)));
    sizeTexts_[s] = label;
    label->setFixedWidth(cell);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    texts->addWidget(label);
  }
  box->addLayout(texts);
  // Under each size its crispness M (0: every straight edge on pixels).
  QHBoxLayout* figures = RowLayout();
  figures->setContentsMargins(kRowMargin, 0, kRowMargin, kRowMargin);
  for (QLabel*& label : figures_) {
    label = new QLabel;
    label->setFixedWidth(cell);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setToolTip(QStringLiteral("Crispness M: half-tone along straight edges, 0 = crisp"));
    figures->addWidget(label);
  }
  box->addLayout(figures);
  auto* status = new QHBoxLayout;
  status->setContentsMargins(kRowMargin, 0, kRowMargin, kRowMargin / 2);
  pointer_ = new QLabel(QStringLiteral(" "));
  pointer_->setObjectName(QStringLiteral("lblPointer"));
  status->addWidget(pointer_, 1);
  painting_ = new QLabel(QStringLiteral("Painting..."));
  painting_->setObjectName(QStringLiteral("lblPainting"));
  painting_->setEnabled(false);  // quiet, as the canvas says it
  painting_->setVisible(false);
  status->addWidget(painting_);
  box->addLayout(status);
  new PreviewMagnifier(*this);
  maskRow_ = new PreviewMaskRow;
  box->addWidget(maskRow_);
}

void PreviewWindow::SetMagnification(int factor) {
  if (factor == magnification_ || std::find(std::begin(kMagnifications), std::end(kMagnifications), factor) ==
                                       std::end(kMagnifications)) {
    return;
  }
  magnification_ = factor;
  // Each column as wide as its picture (at least as at x1), each row as
  // high as the largest.
  const int largest = *std::max_element(kPreviewSizes.begin(), kPreviewSizes.end());
  for (std::size_t s = 0; s < kColumns; ++s) {
    const int width = std::max(largest, kPreviewSizes[s] * factor);
    for (auto& row : cells_) row[s]->setFixedSize(width, largest * factor);
    sizeTexts_[s]->setFixedWidth(width);
    figures_[s]->setFixedWidth(width);
  }
  ShowMagnified();
  // The larger window stays inside the screen it is on.
  adjustSize();
  if (const QScreen* screen = this->screen(); screen && isVisible()) {
    const QRect area = screen->availableGeometry();
    const QRect frame = frameGeometry();
    const int x = std::max(std::min(frame.left(), area.right() + 1 - frame.width()), area.left());
    const int y = std::max(std::min(frame.top(), area.bottom() + 1 - frame.height()), area.top());
    if (x != frame.left() || y != frame.top()) {
      // Where it was put, not moved by the user: it still follows its owner.
      const bool placed = placedAt_ && pos() == *placedAt_;
      move(pos() + QPoint(x - frame.left(), y - frame.top()));
      if (placed) placedAt_ = pos();
    }
  }
}

void PreviewWindow::ShowMagnified() {
  for (std::size_t r = 0; r < kRows; ++r) {
    for (std::size_t s = 0; s < kColumns; ++s) {
      const std::shared_ptr<const Image>& image = images_[r][s];
      std::unique_ptr<Image> magnified = image && magnification_ > 1 ? MagnifiedPicture(*image, magnification_) : nullptr;
      // One picture pixel on one device pixel, whatever the screen's ratio.
      QPixmap pixmap = QPixmap::fromImage(magnified ? ToQImage(*magnified) : pictures_[r][s]);
      pixmap.setDevicePixelRatio(devicePixelRatioF());
      cells_[r][s]->setPixmap(pixmap);
    }
  }
}

void PreviewWindow::ShowPointer(std::optional<QPointF> units) {
  // A space keeps the line's height while the pointer is elsewhere.
  pointer_->setText(units ? QStringLiteral("Pointer: x %1, y %2 units").arg(units->x()).arg(units->y())
                          : QStringLiteral(" "));
}

QString PreviewWindow::pointerText() const { return pointer_->text().trimmed(); }

void PreviewWindow::SetPainting(bool painting) { painting_->setVisible(painting); }

bool PreviewWindow::painting() const { return !painting_->isHidden(); }

QString PreviewWindow::figureText(int sizeIndex) const {
  return figures_.at(static_cast<std::size_t>(sizeIndex))->text();
}

void PreviewWindow::ShowPictures(const PreviewPictures& pictures) {
  for (std::size_t s = 0; s < kColumns; ++s) {
    for (PreviewGround ground : kPreviewGrounds) {
      const Image* image = pictures.Picture(static_cast<int>(s), ground);
      pictures_[RowOf(ground)][s] = image ? ToQImage(*image) : QImage();
      images_[RowOf(ground)][s] = pictures.images[s][RowOf(ground)];
    }
    const double figure = pictures.figures[s];
    figures_[s]->setText(std::isnan(figure) ? QString() : QStringLiteral("M %1").arg(figure, 0, 'f', 2));
  }
  ShowMagnified();
}

const QImage& PreviewWindow::picture(int sizeIndex, PreviewGround ground) const {
  return pictures_.at(RowOf(ground)).at(static_cast<std::size_t>(sizeIndex));
}

void PreviewWindow::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  // The window has no controls of its own, so it never needs disabling; a
  // disabled label would show its picture greyed. Disabling the owner (as
  // the export window does) disables this window too; a window may be
  // enabled again on its own.
  if (event->type() == QEvent::EnabledChange && !isEnabled()) setEnabled(true);
  if (event->type() != QEvent::WindowStateChange) return;
  const auto* change = static_cast<QWindowStateChangeEvent*>(event);
  if ((change->oldState() & Qt::WindowMinimized) && !isMinimized() && restored) restored();
}

void PreviewWindow::PlaceBesideOwner() {
  const QWidget* owner = parentWidget();
  if (!owner) return;
  // Moved away from where it was put, by the user through the window
  // manager: it keeps that place for the rest of the run.
  if (placedAt_ && pos() != *placedAt_) movedByUser_ = true;
  if (movedByUser_) return;
  // Until the window manager has framed this window once, the owner's
  // frame, drawn by the same manager, stands in for its borders.
  QSize frame = frameGeometry().size();
  if (frame == size()) frame += owner->frameGeometry().size() - owner->size();
  const QScreen* screen = owner->screen();
  const QRect area = screen ? screen->availableGeometry() : QRect(QPoint(0, 0), frame);
  move(PlaceBeside(owner->frameGeometry(), frame, area));
  placedAt_ = pos();
}

}  // namespace twk
