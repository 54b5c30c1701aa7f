#include "app/CanvasView.h"

#include <QTimer>

#include "app/ImageCanvas.h"
#include "app/ImageConversion.h"
#include "app/SettleEvents.h"
#include "render/BandSelection.h"
#include "render/Grid.h"

namespace twk {

CanvasView::CanvasView(EditorSession& session, ImageCanvas& widget, const RubberBand& band, const CONFIG& config)
    : session_(session),
      widget_(widget),
      band_(band),
      config_(config),
      painter_([this] {
        // Called on the painter's thread: the picture is shown on this one.
        QMetaObject::invokeMethod(&widget_, [this] { ShowFinished(); }, Qt::QueuedConnection);
      }) {
  // A selection that has not changed for this long is likely to get keys
  // next; moving through the list faster than that prepares nothing.
  constexpr int kSelectionRestMs = 150;
  selectionRest_ = new QTimer(&widget_);
  selectionRest_->setSingleShot(true);
  selectionRest_->setInterval(kSelectionRestMs);
  QObject::connect(selectionRest_, &QTimer::timeout, &widget_, [this] { Prepare(); });
}

CanvasView::~CanvasView() {
  // The painter's thread reports to the widget, which may go after this.
  painter_.Stop();
  delete selectionRest_;
}

void CanvasView::OnDocumentChange(const DocumentChange& change) {
  // The grid first: the picture is drawn on the new one.
  if (change.Has(DocumentChange::kSize)) RebuildGrid(change.width, change.height);
  if (change.Has(DocumentChange::kPicture)) Redraw();
}

void CanvasView::OnListChange(const ListChange& change) {
  if (change.selection && !change.rows) {
    ShowMarks();
    selectionRest_->start();
  }
}

void CanvasView::RebuildGrid(int w, int h) {
  grid_.reset();
  grid_ = BuildGridImage(widget_.width(), widget_.height(), w, h);
  painter_.Invalidate();
}

void CanvasView::Redraw() {
  ++redrawCount_;
  if (!grid_) return;
  Follow(painter_.Repaint(Scene()));
}

void CanvasView::Prepare() {
  if (!grid_ || session_.state().Constructing) return;
  painter_.KeepLayersFor(Scene());
}

CanvasScene CanvasView::Scene() const {
  // Key commands and their undo act on the selected items; the layers of
  // the others are kept. The marks show unless hidden or an item is drawn.
  std::vector<int> marked;
  const ItemList& rows = session_.rows();
  if (marksShown() && !session_.state().Constructing) marked = rows.SelectedRows();
  return CanvasScene{*grid_, session_.doc(), session_.state(), session_.pixelsPerUnitX, session_.pixelsPerUnitY,
                     rows.SelectedRuns(), std::move(marked)};
}

void CanvasView::ShowMarks() {
  if (!grid_) return;
  Follow(painter_.Mark(Scene()));
  // The rubber band follows the pointer over the last picture.
  const RubberBand::Area band = band_.area();
  if (band != bandShown_) ShowFinished();
}

void CanvasView::Follow(CanvasUpdate update) {
  if (update == CanvasUpdate::kPainted) ShowFinished();
  if (update == CanvasUpdate::kQueued) widget_.setPainting(true);
}

void CanvasView::ShowFinished() {
  const std::shared_ptr<const CanvasPicture> picture = painter_.picture();
  const RubberBand::Area band = band_.area();
  if (picture && (picture->generation != shown_ || band != bandShown_)) {
    // The band's dashed outline is drawn on a copy: it is never part of a
    // finished picture, which later marks and bands start from.
    std::unique_ptr<Image> banded = band.empty() ? nullptr : picture->shown->Clone();
    if (banded) PaintBandOutline(*banded, {band.left, band.top, band.right, band.bottom});
    // The picture right after the one shown, with no band before or now,
    // differs from it only in its changed rectangle.
    const PixelArea changed = picture->changed;
    if (!banded && bandShown_.empty() && picture->generation == shown_ + 1) {
      widget_.setImageArea(ImageView(*picture->shown),
                           QRect(changed.left, changed.top, changed.right - changed.left, changed.bottom - changed.top));
    } else {
      widget_.setImage(ToQImage(banded ? *banded : *picture->shown));
    }
    shown_ = picture->generation;
    bandShown_ = band;
  }
  widget_.setPainting(painter_.busy());
  // A repaint finished with the marks of the selection it was asked with;
  // the selection may have changed since.
  if (picture && grid_ && !painter_.busy() && picture->serial == painter_.requested() &&
      picture->marked != Scene().marked) {
    ShowMarks();
  }
}

bool CanvasView::Settle(int timeoutMs) {
  return SettleUntil(
      [this] {
        const std::shared_ptr<const CanvasPicture> picture = painter_.picture();
        return !painter_.busy() && (!picture || picture->generation == shown_);
      },
      timeoutMs);
}

}  // namespace twk
