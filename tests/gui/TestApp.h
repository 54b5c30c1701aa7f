#pragma once
// The program as tests and benchmarks drive it: App with the seams it keeps
// off its public face (state, history, the windows' controls, the command
// tap, stand-ins for the dialogs and the clipboard).

#include "app/App.h"

namespace twk {

class TestApp : public App {
 public:
  using App::App;

  using App::cmdExport;
  using App::cmdExportAbort;
  using App::chkFitEdges;
  using App::DefaultPalette;
  using App::DispatchCommand;
  using App::DrawPalette;
  using App::gridImage;
  using App::history;
  using App::imgDraw;
  using App::imgPalette;
  using App::lblVersion;
  using App::lnkHome;
  using App::lstExportRes;
  using App::lstItems;
  using App::PopupCommand;
  using App::popupMenu;
  using App::previewItemsPainted;
  using App::previewWindow;
  using App::random;
  using App::RedrawCanvas;
  using App::DropCanvasCache;
  using App::canvasKeepsLayers;
  using App::canvasPainting;
  using App::SettleCanvas;
  using App::redrawCount;
  using App::ReplaceDocument;
  using App::rowDragPending;
  using App::selectionMarksShown;
  using App::setClipboard;
  using App::setCommandTap;
  using App::setDialogs;
  using App::SettlePreview;
  using App::setUrlOpener;
  using App::splitter1;
  using App::state;
};

}  // namespace twk
