#pragma once
// The editor program: the editing session, the configuration and the two
// windows. One App exists per run (tests build several in turn). The
// constructor computes the layout sizes, builds and wires both windows and
// subscribes the views that follow the session (the title, the canvas, the
// recovery copy, the preview); Start() runs the rest of the start-up
// sequence and shows the main window; Shutdown() writes the configuration.

#include <memory>
#include <string>

#include "app/Clipboard.h"
#include "app/Dialogs.h"
#include "app/DocumentLoader.h"
#include "app/ScreenScale.h"
#include "editor/CommandRegistry.h"
#include "editor/EditorSession.h"
#include "editor/PointerGesture.h"
#include "editor/RubberBand.h"
#include "persist/Config.h"
#include "render/PaintedItemLocator.h"

class QPoint;

namespace twk {

class CanvasView;
class ExportWindow;
class KeyCommandFilter;
class MainWindow;
class PaletteView;
class PreviewView;
class MaskRowView;
class RecoveryKeeper;

class App : public DocumentLoader, private SessionObserver {
 public:
  // Builds both windows for `scale` (hidden until Start). The commands ask
  // their questions through `dialogs` and copy through `clipboard`.
  explicit App(ScreenScale scale, Dialogs& dialogs = DesktopDialogs(), Clipboard& clipboard = SystemClipboard());
  ~App() override;
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
  EditorSession& session() { return session_; }
  CONFIG& config() { return config_; }
  Dialogs& dialogs() { return dialogs_; }
  Clipboard& clipboard() { return clipboard_; }
  // Every command: the editor's and the program's.
  const CommandRegistry& commands() const { return commands_; }
  // This editor's recovery copy (none kept before Start).
  RecoveryKeeper& recovery() { return *recovery_; }
  MainWindow* mainWindow() const { return main_.get(); }
  ExportWindow* exportWindow() const { return export_; }
  // Whether the export window is shown (the main window takes no input).
  bool exportWindowOpen() const;
  // The views that follow the session.
  CanvasView& canvas() { return *canvas_; }
  PreviewView& preview() { return *preview_; }
  PaletteView& palette() { return *palette_; }

  // Puts `doc` in place of the whole document as one undo step (a load, a
  // failed one, a restored copy); Save then proposes `savePath`. The item
  // list, the grid and the canvas follow.
  void LoadDocument(TWKFILE doc, std::string savePath, std::string ownFile = {}) override;
  // Runs a command of the command table by number unless it is refused
  // now (while drawing, while the export window is open); unknown numbers
  // do nothing. The main window's keys come here.
  void DispatchCommand(int number);
  // A popup menu choice by its menu number (6 Hide ... 13 Load).
  void PopupCommand(int menuNumber);

 private:
  // The title follows the tool settings; the other views follow on their own.
  void OnDocumentChange(const DocumentChange& change) override;
  // A check mark or the selection changed: the items' visibility follows
  // the check marks.
  void OnListChange(const ListChange& change) override;
  // Main window title from the tool settings.
  void UpdateTitle();
  // What the command table's refusals are judged against now.
  CommandConditions Now() const;
  void BuildWindows();
  void WireCanvas();
  void WireItemList();
  void WireExportWindow();
  // A new keeper of the recovery copy, following the session from now on.
  void KeepRecovery(std::unique_ptr<RecoveryKeeper> keeper);

  ScreenScale scale_;
  LayoutSizes layout_;
  EditorSession session_;
  CONFIG config_;
  Dialogs& dialogs_;
  Clipboard& clipboard_;
  PointerGesture gesture_{PaintedItemLocator()};  // a Ctrl press on the canvas and what it took
  RubberBand band_{PaintedItemLocator()};         // a Ctrl press on empty ground and its band
  CommandRegistry commands_;
  std::unique_ptr<MainWindow> main_;
  ExportWindow* export_ = nullptr;  // owned by the main window
  std::unique_ptr<KeyCommandFilter> keyFilter_;
  std::unique_ptr<CanvasView> canvas_;
  std::unique_ptr<PreviewView> preview_;
  std::unique_ptr<MaskRowView> maskRow_;
  std::unique_ptr<PaletteView> palette_;
  std::unique_ptr<RecoveryKeeper> recovery_;
};

}  // namespace twk
