#pragma once
// The editor program's application state and its two windows. One App exists
// per run (tests build several in turn). The constructor computes the layout
// sizes, sets the start values and builds and wires both windows; Start()
// runs the rest of the start-up sequence and shows the main window;
// Shutdown() writes the configuration.

#include <QString>
#include <functional>
#include <memory>
#include <random>
#include <vector>

#include "app/Clipboard.h"
#include "app/Dialogs.h"
#include "app/DocumentLoader.h"
#include "app/MainWindow.h"
#include "app/ExportWindow.h"
#include "app/ScreenScale.h"
#include "document/Document.h"
#include "document/EditorState.h"
#include "render/canvas/CanvasPainter.h"
#include "editor/CommandRegistry.h"
#include "editor/EditHistory.h"
#include "editor/Editor.h"
#include "editor/ItemList.h"
#include "editor/ItemCommands.h"
#include "editor/PointerGesture.h"
#include "editor/RubberBand.h"
#include "persist/Config.h"
#include "render/Image.h"
#include "render/PaintedItemLocator.h"
#include "render/preview/PreviewPainter.h"

class QCheckBox;
class QLabel;
class QMenu;
class QPoint;
class QPushButton;
class QSplitter;
class QTimer;
class QTreeWidget;
class QUrl;
class QWidget;

namespace twk {

class HyperLink;
class ImageCanvas;
class ItemListWidget;
class KeyCommandFilter;
class PreviewWindow;
class RecoveryKeeper;

class App : public DocumentLoader {
  friend class AppTestAccess;

 public:
  // Builds both windows for `scale` (hidden until Start).
  explicit App(ScreenScale scale);
  ~App();
  App(const App&) = delete;
  App& operator=(const App&) = delete;

  // Start-up after the windows: configuration, 16 x 16 document, grid,
  // canvas, palette, this editor's recovery copy in the state folder; then
  // shows the main window centred on the screen.
  void Start();
  // Writes the configuration (Tarnwick.cfg in the working directory) and
  // the recovery copy of a change not yet written.
  void Shutdown();

  // --- what the program's commands and dialogs work on ----------------------
  TWKFILE& doc() { return doc_; }
  CONFIG& config() { return config_; }
  Editor& editor() { return *editor_; }
  Dialogs& dialogs() { return *dialogs_; }
  Clipboard& clipboard() { return *clipboard_; }
  // This editor's recovery copy (none kept before Start).
  RecoveryKeeper& recovery() { return *recovery_; }
  // Whether the export window is shown (the main window takes no input).
  bool exportWindowOpen() const { return export_->isOpen(); }
  MainWindow* mainWindow() const { return main_.get(); }
  QWidget* mainWidget() const;
  ExportWindow* exportWindow() const { return export_; }

  // Puts `doc` in place of the whole document as one undo step (a load, a
  // failed one, a restored copy); Save then proposes `savePath`. The item
  // list, the grid and the canvas follow.
  void LoadDocument(TWKFILE doc, std::string savePath) override;
  // Shows the Preview window beside the main window, up to date, or hides
  // it; nothing while the export window is open.
  void TogglePreview();
  // H: hides or shows the selection's marks on the canvas; the choice is
  // kept in the configuration.
  void ToggleSelectionMarks();

 protected:
  // --- reached by the tests' fixture (TestApp) only -------------------------
  EditorState& state() { return state_; }
  const EditHistory& history() const { return history_; }
  Image* gridImage() { return grid_.get(); }
  std::mt19937& random() { return random_; }
  // Whether a row drag started in the item list waits for its drop.
  bool rowDragPending() const { return pendingDrag_.row >= 0; }
  // Number of RedrawCanvas calls, including those that found no grid image.
  int redrawCount() const { return redrawCount_; }
  bool selectionMarksShown() const { return config_.HideMarks == 0; }
  // Items the preview has painted over all its sizes (none while hidden).
  long long previewItemsPainted() const { return previewPainter_.itemsPainted(); }
  void setDialogs(Dialogs* dialogs) { dialogs_ = dialogs ? dialogs : &DesktopDialogs(); }
  void setClipboard(Clipboard* clipboard) { clipboard_ = clipboard ? clipboard : &SystemClipboard(); }
  // Observe every command number the main window receives, and replace
  // how lnkHome opens its address.
  void setCommandTap(std::function<void(int)> tap) { commandTap_ = std::move(tap); }
  void setUrlOpener(std::function<void(const QUrl&)> opener);

  PreviewWindow* previewWindow() const { return preview_; }
  ImageCanvas* imgDraw() const { return main_->imgDraw; }
  ItemListWidget* lstItems() const { return main_->lstItems; }
  ImageCanvas* imgPalette() const { return main_->imgPalette; }
  QLabel* lblVersion() const { return main_->lblVersion; }
  HyperLink* lnkHome() const { return main_->lnkHome; }
  QTreeWidget* lstExportRes() const { return export_->lstExportRes; }
  QSplitter* splitter1() const { return export_->splitter1; }
  QPushButton* cmdExport() const { return export_->cmdExport; }
  QCheckBox* chkFitEdges() const { return export_->chkFitEdges; }
  QPushButton* cmdExportAbort() const { return export_->cmdExportAbort; }
  // The item list's popup menu (rebuilt on every right-click).
  QMenu* popupMenu() const { return popup_; }

  // Puts `doc` in place with a fresh history and the same save path (a
  // document to start from).
  void ReplaceDocument(TWKFILE doc);
  // Composes grid and items and shows the picture on imgDraw.
  void RedrawCanvas();
  // Forgets every picture the canvas keeps, as a new grid does.
  void DropCanvasCache() { canvasPainter_.Invalidate(); }
  // Whether the canvas keeps layers of the unselected items.
  bool canvasKeepsLayers() const { return canvasPainter_.HasCachedLayer(); }
  // Whether a canvas picture is being painted on the worker.
  bool canvasPainting() const { return canvasPainter_.busy(); }
  // Runs the event loop until no canvas picture is being painted and imgDraw
  // shows the last one finished, or `timeoutMs` has passed; returns whether
  // it got there.
  bool SettleCanvas(int timeoutMs = 20000);
  // Large changes are painted for the preview on a worker thread. This runs
  // the event loop until the worker is idle and the window shows its last
  // pictures, or `timeoutMs` has passed; returns whether it got there.
  bool SettlePreview(int timeoutMs = 10000);
  // Paints the palette strip from the configuration's palette and CurRGB.
  void DrawPalette();
  // Fresh default palette; CurRGB becomes its first colour.
  void DefaultPalette();
  // Runs a command of the command table by number unless it is refused
  // now (while drawing, while the export window is open); unknown numbers
  // do nothing.
  void DispatchCommand(int number);
  // A popup menu choice by its menu number (6 Hide ... 13 Load).
  void PopupCommand(int menuNumber);

 private:
  // What the editor reports: the grid, the title and the views follow.
  void OnDocumentChange(const DocumentChange& change);
  // The document, an item's visibility or the item under construction
  // changed: every view that shows the document follows from here (the
  // canvas, and the preview while it is shown).
  void OnDocumentChanged();
  // New grid image for a w x h document area.
  void RebuildGrid(int w, int h);
  // Main window title from the tool settings.
  void UpdateTitle();
  // Rebuilds the popup menu and opens it at `globalPos`.
  void OpenPopupMenu(const QPoint& globalPos);
  // What the command table's refusals are judged against now.
  CommandConditions Now() const;
  void BuildWindows();
  void WireCanvas();
  void WirePalette();
  void WireItemList();
  void WireExportWindow();
  void OnPaletteRelease(int button, int x);
  // Builds the canvas's kept layers for the selection now, without showing
  // or counting a redraw: run once the selection has rested, so that the
  // first key on it repaints only the selected items.
  void PrepareCanvas();
  // Shows the last composed picture on imgDraw, with the selection's marks
  // over it unless they are hidden or an item is being drawn.
  void ShowCanvas();
  // What the canvas shows now: the document, the selection and its marks.
  CanvasScene Scene() const;
  // Shows the painter's picture, or the "Painting..." mark while it paints.
  void FollowCanvas(CanvasUpdate update);
  // Shows the latest finished canvas picture, unless imgDraw has it.
  void ShowFinishedCanvas();
  // Brings the preview up to date; `paintHere` paints on this thread
  // even a large change, when the worker is idle and it fits in a frame.
  void RefreshPreview(bool paintHere = false);
  // The Preview's pictures fitted to their pixels or not, as the
  // configuration says, each with its crispness under it.
  void ApplyEdgeFit();
  // Shows the worker's latest pictures, unless the window has them.
  void ShowFinishedPictures();

  ScreenScale scale_;
  LayoutSizes layout_;
  TWKFILE doc_;
  EditorState state_;
  CONFIG config_;
  std::unique_ptr<Image> grid_;
  PendingDrag pendingDrag_;
  CanvasPainter canvasPainter_;
  long long canvasShown_ = -1;  // generation of the picture imgDraw shows
  RubberBand::Area bandShown_;  // the band drawn over it; empty: none
  QTimer* selectionRest_ = nullptr;  // owned by the main window; PrepareCanvas when it fires
  PointerGesture gesture_{PaintedItemLocator()};  // a Ctrl press on the canvas and what it took
  RubberBand band_{PaintedItemLocator()};         // a Ctrl press on empty ground and its band
  PreviewPainter previewPainter_;
  long long previewShown_ = -1;  // generation of the pictures the window shows
  EditHistory history_;
  Dialogs* dialogs_;
  Clipboard* clipboard_ = &SystemClipboard();
  int redrawCount_ = 0;
  std::mt19937 random_;
  std::function<void(int)> commandTap_;

  ItemList items_;  // the item list's rows, selection and check marks
  std::unique_ptr<ItemListFollower> listFollower_;
  std::unique_ptr<MainWindow> main_;
  ExportWindow* export_ = nullptr;  // owned by the main window
  PreviewWindow* preview_ = nullptr;  // owned by the main window
  QMenu* popup_ = nullptr;          // owned by the main window
  CommandRegistry commands_;  // every command: the editor's and the program's
  std::unique_ptr<KeyCommandFilter> keyFilter_;
  std::unique_ptr<Editor> editor_;
  std::unique_ptr<RecoveryKeeper> recovery_;
};

}  // namespace twk
