#include "app/MaskRowView.h"

#include <cstdio>
#include <new>

#include "app/PreviewMaskRow.h"
#include "export/GroundColour.h"
#include "export/MaskPreview.h"

namespace twk {

MaskRowView::MaskRowView(const EditorSession& session, PreviewMaskRow& row, const CONFIG& config)
    : session_(session), row_(row), config_(config) {
  row_.shown = [this] { Refresh(); };
  timer_.setSingleShot(true);
  QObject::connect(&timer_, &QTimer::timeout, &row_, [this] {
    if (row_.isVisible()) Paint();
  });
}

MaskRowView::~MaskRowView() { row_.shown = {}; }

void MaskRowView::OnDocumentChange(const DocumentChange& change) {
  if (change.Has(DocumentChange::kPicture)) Refresh();
}

void MaskRowView::Refresh() {
  if (!row_.isVisible()) return;
  // A small drawing's cells are painted within a frame once the events of
  // the moment are handled; a large one's would hold up the pointer, so
  // they wait until the drawing has rested a moment.
  const bool large = session_.doc().CData.size() > kItemsPaintedAtOnce;
  timer_.start(large ? kRestMs : 0);
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
