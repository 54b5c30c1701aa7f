#include "app/App.h"

#include <QCheckBox>
#include <QWidget>
#include <chrono>

#include "app/CanvasView.h"
#include "app/ExportWindow.h"
#include "app/ImageCanvas.h"
#include "app/ItemListWidget.h"
#include "app/KeyCommandFilter.h"
#include "app/MainWindow.h"
#include "app/PaletteView.h"
#include "app/MaskRowView.h"
#include "app/PreviewView.h"
#include "app/RecoveryKeeper.h"
#include "document/Labels.h"
#include "editor/KeyNumbers.h"
#include "editor/LoadDocument.h"
#include "render/Palette.h"

namespace twk {

namespace {

std::mt19937::result_type ClockSeed() {
  return static_cast<std::mt19937::result_type>(
      std::chrono::high_resolution_clock::now().time_since_epoch().count());
}

}  // namespace

App::App(ScreenScale scale, Dialogs& dialogs, Clipboard& clipboard)
    : scale_(scale), layout_(ComputeLayoutSizes(scale)), dialogs_(dialogs), clipboard_(clipboard) {
  session_.pixelsPerUnitX = kUnitPixels * scale_.x;
  session_.pixelsPerUnitY = kUnitPixels * scale_.y;
  BuildWindows();
  // Told in this order: the title and the check marks, then the canvas
  // (the grid before the picture); the recovery copy and the preview follow
  // anything of the document, in any order.
  session_.AddObserver(this);
  session_.AddObserver(canvas_.get());
  KeepRecovery(std::make_unique<RecoveryKeeper>(session_, nullptr));
  session_.AddObserver(preview_.get());
  session_.AddObserver(maskRow_.get());
}

App::~App() {
  // The painters' threads report to the windows, which go with the main
  // window below.
  canvas_->Stop();
  preview_->Stop();
  session_.RemoveObserver(recovery_.get());
  recovery_.reset();
  session_.RemoveObserver(preview_.get());
  preview_.reset();
  session_.RemoveObserver(maskRow_.get());
  maskRow_.reset();
  session_.RemoveObserver(canvas_.get());
  canvas_.reset();
  session_.RemoveObserver(this);
  // Widgets torn down below must not call back into a half-destroyed App.
  main_->lstItems->contextMenuAt = {};
  main_->lstItems->textDropped = {};
  main_->fileDropped = {};
  keyFilter_.reset();
}

void App::Start() {
  // Without a usable file (the first run, a damaged file) the defaults stay.
  (void)LoadConfiguration(config_);
  session_.savePath() = config_.RecentFile;
  export_->chkFitEdges->setChecked(config_.FitEdges != 0);
  session_.doc().TWKW = 16;
  session_.doc().TWKH = 16;
  canvas_->RebuildGrid(16, 16);
  canvas_->Redraw();
  if (config_.valid == 0 || config_.Palette.size() != kPaletteSlots) palette_->Default(ClockSeed());
  palette_->Draw();
  config_.valid = 1;

  // From here on every change is kept until it is saved.
  KeepRecovery(RecoveryKeeper::InStateFolder(session_));

  CentreWindow(main_.get(), nullptr);
  main_->show();
  main_->activateWindow();
  main_->imgDraw->setFocus(Qt::OtherFocusReason);
}

// A configuration that cannot be written is not worth a message at exit.
void App::Shutdown() {
  // Whatever is being painted, the program ends within one item or band.
  canvas_->Stop();
  preview_->Stop();
  recovery_->Flush();
  config_.RecentFile = session_.savePath();
  (void)SaveConfiguration(config_);
}

void App::KeepRecovery(std::unique_ptr<RecoveryKeeper> keeper) {
  if (recovery_) session_.RemoveObserver(recovery_.get());
  recovery_ = std::move(keeper);
  session_.AddObserver(recovery_.get());
}

bool App::exportWindowOpen() const { return export_->isOpen(); }

void App::OnDocumentChange(const DocumentChange& change) {
  if (change.Has(DocumentChange::kToolSettings)) UpdateTitle();
}

void App::OnListChange(const ListChange& change) {
  if (change.checks || change.selection) commands_.Dispatch(session_, keys::kCheckMarks, Now());
}

void App::LoadDocument(TWKFILE doc, std::string savePath, std::string ownFile) {
  // A preview paint of the items about to go is wasted work.
  preview_->Cancel();
  LoadAsStep(session_, std::move(doc), std::move(savePath), std::move(ownFile));
}

void App::UpdateTitle() {
  const EditorState& state = session_.state();
  main_->setWindowTitle(QString::fromStdString(
      TitleText(state.CurType, state.CurDrawMethod, state.CurDrawMethod2, state.CurDrawWidth, state.CurAlpha)));
}

void App::DispatchCommand(int number) {
  // While the pointer moves or reshapes items only Esc acts: it puts them
  // back. During a rubber band it takes the band away.
  if (gesture_.Active()) {
    if (number == keys::kEsc) gesture_.Cancel(session_);
    return;
  }
  if (band_.Active()) {
    if (number == keys::kEsc && band_.Cancel()) canvas_->ShowFinished();
    return;
  }
  commands_.Dispatch(session_, number, Now());
}

CommandConditions App::Now() const { return CommandConditions{session_.state().Constructing, exportWindowOpen()}; }

void App::PopupCommand(int menuNumber) {
  if (const CommandEntry* entry = commands_.FindMenuEntry(menuNumber)) DispatchCommand(entry->number);
}

}  // namespace twk
