#pragma once
// The Preview's mask row following the session: while it is seen, each
// change of the picture brings its cells up to date once the events of the
// moment are handled (a burst of changes is painted once; a large drawing
// once it rests), over the ground colour and with the edge fitting the
// configuration holds.

#include <QTimer>

#include "editor/EditorSession.h"
#include "persist/Config.h"

namespace twk {

class PreviewMaskRow;

class MaskRowView : public SessionObserver {
 public:
  // Shows `session` on `row`; all three outlive the view.
  MaskRowView(const EditorSession& session, PreviewMaskRow& row, const CONFIG& config);
  ~MaskRowView() override;
  MaskRowView(const MaskRowView&) = delete;
  MaskRowView& operator=(const MaskRowView&) = delete;

  void OnDocumentChange(const DocumentChange& change) override;
  // Brings the cells up to date soon, when the row is seen.
  void Refresh();
  // Paints the cells now.
  void Paint();

 private:
  const EditorSession& session_;
  PreviewMaskRow& row_;
  const CONFIG& config_;
  // Past this many items the cells cost a good part of a frame (about
  // 0.06 ms an item), and wait for the drawing to rest this long.
  static constexpr int kItemsPaintedAtOnce = 100;
  static constexpr int kRestMs = 300;
  QTimer timer_;
};

}  // namespace twk
