#include "app/MaskRowView.h"

#include <QTimer>
#include <cstdio>
#include <new>

#include "app/PreviewMaskRow.h"
#include "export/GroundColour.h"
#include "export/MaskPreview.h"

namespace twk {

MaskRowView::MaskRowView(const EditorSession& session, PreviewMaskRow& row, const CONFIG& config)
    : session_(session), row_(row), config_(config) {
  row_.shown = [this] { Refresh(); };
}

MaskRowView::~MaskRowView() { row_.shown = {}; }

void MaskRowView::OnDocumentChange(const DocumentChange& change) {
  if (change.Has(DocumentChange::kPicture)) Refresh();
}

void MaskRowView::Refresh() {
  if (pending_ || !row_.isVisible()) return;
  pending_ = true;
  QTimer::singleShot(0, &row_, [this] {
    pending_ = false;
    if (row_.isVisible()) Paint();
  });
}

void MaskRowView::Paint() {
  try {
    const EdgeFit fit = config_.FitEdges ? EdgeFit::kToPixels : EdgeFit::kAsDrawn;
    row_.ShowMasks(MakeMaskPreview(session_.doc(), StoredGround(config_.IconGround), fit));
  } catch (const std::bad_alloc&) {
    std::fputs("tarnwick: the preview's masks are out of date: out of memory\n", stderr);
  }
}

}  // namespace twk
