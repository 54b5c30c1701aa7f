#pragma once
// The Preview window following the session: while it is shown, every change
// of the picture brings its pictures up to date (a large change painted on
// the painter's worker); a hidden or minimised preview does no work.

#include "editor/EditorSession.h"
#include "render/preview/PreviewPainter.h"

namespace twk {

class PreviewWindow;

class PreviewView : public SessionObserver {
 public:
  // Shows `session` on `window`; both outlive the view.
  PreviewView(const EditorSession& session, PreviewWindow& window);
  ~PreviewView() override;
  PreviewView(const PreviewView&) = delete;
  PreviewView& operator=(const PreviewView&) = delete;

  void OnDocumentChange(const DocumentChange& change) override;

  // Shows the window beside its owner, up to date, or hides it.
  void Toggle();
  // The pictures fitted to their pixels or not (`fitEdges`), each with its
  // crispness under it.
  void ApplyEdgeFit(bool fitEdges);
  // A paint of the items about to go is wasted work.
  void Cancel() { painter_.Cancel(); }
  // Ends the painter's work; no picture is shown after this.
  void Stop() { painter_.Stop(); }

  // Runs the event loop until the worker is idle and the window shows its
  // last pictures, or `timeoutMs` has passed; returns whether it got there.
  bool Settle(int timeoutMs = 10000);
  // Items painted over all sizes (none while hidden).
  long long itemsPainted() const { return painter_.itemsPainted(); }
  PreviewWindow& window() const { return window_; }

 private:
  // Brings the pictures up to date; `paintHere` paints on this thread even
  // a large change, when the worker is idle and it fits in a frame.
  void Refresh(bool paintHere = false);
  // Shows the worker's latest pictures, unless the window has them.
  void ShowFinished();

  const EditorSession& session_;
  PreviewWindow& window_;
  PreviewPainter painter_;
  long long shown_ = -1;  // generation of the pictures the window shows
};

}  // namespace twk
