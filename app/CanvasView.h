#pragma once
// The canvas following the session: the grid for the document's size, the
// picture of the document repainted after every change (on the painter's
// worker when it would hold up a key), the selection's marks over it and
// the rubber band over those. It prepares the layers of a selection that
// has rested, so the first key on it repaints only the selected items.

#include <memory>

#include "editor/EditorSession.h"
#include "editor/RubberBand.h"
#include "persist/Config.h"
#include "render/canvas/CanvasPainter.h"
#include "render/Image.h"

class QTimer;

namespace twk {

class ImageCanvas;

class CanvasView : public SessionObserver {
 public:
  // Shows `session` on `widget`, with `band` over it; the marks show unless
  // `config` hides them. All four outlive the view.
  CanvasView(EditorSession& session, ImageCanvas& widget, const RubberBand& band, const CONFIG& config);
  ~CanvasView() override;
  CanvasView(const CanvasView&) = delete;
  CanvasView& operator=(const CanvasView&) = delete;

  // The grid follows the size, the picture every change of it.
  void OnDocumentChange(const DocumentChange& change) override;
  // The marks follow the selection. Rows that come or go come with a change
  // of the document, whose redraw shows the marks once.
  void OnListChange(const ListChange& change) override;

  // New grid image for a w x h document area.
  void RebuildGrid(int w, int h);
  // Composes grid and items and shows the picture.
  void Redraw();
  // Shows the last composed picture with the selection's marks over it
  // (unless they are hidden or an item is being drawn), and the band.
  void ShowMarks();
  // Shows the latest finished picture, unless the widget has it.
  void ShowFinished();
  // Ends the painter's work; no picture is shown after this.
  void Stop() { painter_.Stop(); }

  // Runs the event loop until no picture is being painted and the widget
  // shows the last one finished, or `timeoutMs` has passed; returns whether
  // it got there.
  bool Settle(int timeoutMs = 20000);
  // Forgets every picture the painter keeps, as a new grid does.
  void DropCache() { painter_.Invalidate(); }
  // Whether the painter keeps layers of the unselected items.
  bool keepsLayers() const { return painter_.HasCachedLayer(); }
  // Whether a picture is being painted on the worker.
  bool painting() const { return painter_.busy(); }
  // Number of Redraw calls, including those that found no grid image.
  int redrawCount() const { return redrawCount_; }
  // The grid the picture is drawn on (none before the first size).
  const Image* grid() const { return grid_.get(); }

 private:
  // Builds the painter's kept layers for the selection now, without showing
  // or counting a redraw.
  void Prepare();
  // What the canvas shows now: the document, the selection and its marks.
  CanvasScene Scene() const;
  // Shows the painter's picture, or the "Painting..." mark while it paints.
  void Follow(CanvasUpdate update);
  bool marksShown() const { return config_.HideMarks == 0; }

  EditorSession& session_;
  ImageCanvas& widget_;
  const RubberBand& band_;
  const CONFIG& config_;
  std::unique_ptr<Image> grid_;
  CanvasPainter painter_;
  long long shown_ = -1;        // generation of the picture the widget shows
  RubberBand::Area bandShown_;  // the band drawn over it; empty: none
  QTimer* selectionRest_;       // owned by the widget; Prepare when it fires
  int redrawCount_ = 0;
};

}  // namespace twk
