#include "app/PreviewView.h"

#include <cmath>
#include <cstdio>
#include <new>

#include "app/PreviewWindow.h"
#include "app/SettleEvents.h"
#include "fit/Crispness.h"
#include "fit/FitToPixels.h"

namespace twk {

PreviewView::PreviewView(const EditorSession& session, PreviewWindow& window)
    : session_(session), window_(window), painter_([this] {
        // Called on the painter's thread: the pictures are shown on this one.
        QMetaObject::invokeMethod(&window_, [this] { ShowFinished(); }, Qt::QueuedConnection);
      }) {
  window_.restored = [this] { Refresh(true); };
}

PreviewView::~PreviewView() {
  painter_.Stop();
  window_.restored = {};
}

void PreviewView::OnDocumentChange(const DocumentChange& change) {
  if (change.Has(DocumentChange::kPicture) && window_.isShowing()) Refresh();
}

void PreviewView::Refresh(bool paintHere) {
  try {
    const PreviewUpdate update = painter_.Update(session_.doc(), paintHere);
    if (update == PreviewUpdate::kPainted) ShowFinished();
    // The pictures shown are of an older drawing until the worker reports.
    if (update == PreviewUpdate::kQueued) window_.SetPainting(true);
  } catch (const std::bad_alloc&) {
    // No memory for the worker's copy of the document: the window keeps
    // its last pictures and the next change tries again.
    std::fputs("tarnwick: the preview is out of date: out of memory\n", stderr);
  }
}

void PreviewView::ShowFinished() {
  const std::shared_ptr<const PreviewPictures> pictures = painter_.pictures();
  window_.SetPainting(painter_.busy());
  if (!pictures || pictures->generation == shown_) return;
  window_.ShowPictures(*pictures);
  shown_ = pictures->generation;
}

bool PreviewView::Settle(int timeoutMs) {
  return SettleUntil(
      [this] {
        const std::shared_ptr<const PreviewPictures> pictures = painter_.pictures();
        return !painter_.busy() && (!pictures || pictures->generation == shown_);
      },
      timeoutMs);
}

void PreviewView::Toggle() {
  if (window_.isShowing()) {
    window_.hide();
    painter_.Cancel();  // a hidden preview does no work
    return;
  }
  // Painted here when the worker is idle and that fits in a frame, so the
  // window opens up to date; a larger drawing follows from the worker.
  Refresh(true);
  ShowFinished();
  if (!window_.isVisible()) window_.PlaceBesideOwner();
  window_.showNormal();
}

void PreviewView::ApplyEdgeFit(bool fitEdges) {
  PreviewSizeHooks hooks;
  if (fitEdges)
    hooks.prepare = [](const TWKFILE& doc, int edge, const PaintCancel* cancel) {
      return FitToPixels(doc, edge, cancel ? StopCheck([cancel] { return cancel->Requested(); }) : StopCheck());
    };
  // The figure is for icons: past a few hundred items it would cost more
  // than the picture itself on every change, and none is shown.
  hooks.figure = [](const TWKFILE& painted, const Image& layer, const PaintCancel* cancel) {
    constexpr int kMostItemsMeasured = 500;
    if (painted.CData.size() > kMostItemsMeasured) return std::nan("");
    const std::optional<Crispness> crisp =
        MeasureCrispness(painted, layer, cancel ? StopCheck([cancel] { return cancel->Requested(); }) : StopCheck());
    return crisp ? crisp->M() : std::nan("");
  };
  painter_.SetSizeHooks(std::move(hooks));
  if (window_.isShowing()) Refresh(true);
}

}  // namespace twk
