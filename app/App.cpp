#include "app/App.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QMenu>
#include <QTimer>
#include <chrono>
#include <functional>

#include "app/AppCommands.h"
#include "app/ImageCanvas.h"
#include "app/ImageConversion.h"
#include "app/KeyCommandFilter.h"
#include "app/ItemListWidget.h"
#include "app/MainWindow.h"
#include "app/PopupMenu.h"
#include "app/PreviewWindow.h"
#include "app/RecoveryKeeper.h"
#include "document/Labels.h"
#include "editor/KeyCommands.h"
#include "editor/KeyNumbers.h"
#include "editor/LoadDocument.h"
#include "render/BandSelection.h"
#include "render/Grid.h"
#include "render/Palette.h"

namespace twk {

namespace {

std::mt19937::result_type ClockSeed() {
  return static_cast<std::mt19937::result_type>(
      std::chrono::high_resolution_clock::now().time_since_epoch().count());
}

}  // namespace

App::App(ScreenScale scale)
    : scale_(scale),
      layout_(ComputeLayoutSizes(scale)),
      canvasPainter_([this] {
        // Called on the painter's thread: the picture is shown on this one.
        QMetaObject::invokeMethod(main_.get(), [this] { ShowFinishedCanvas(); }, Qt::QueuedConnection);
      }),
      previewPainter_([this] {
        // Called on the painter's thread: the pictures are shown on this one.
        QMetaObject::invokeMethod(preview_, [this] { ShowFinishedPictures(); }, Qt::QueuedConnection);
      }),
      dialogs_(&DesktopDialogs()),
      random_(ClockSeed()),
      recovery_(std::make_unique<RecoveryKeeper>(doc_, state_, config_.RecentFile, nullptr)) {
  BuildWindows();
}

App::~App() {
  // The painters' threads report to the windows, which go with the main
  // window below.
  canvasPainter_.Stop();
  previewPainter_.Stop();
  listFollower_.reset();
  recovery_.reset();
  // Widgets torn down below must not call back into a half-destroyed App.
  if (main_) {
    ItemListWidget* list = lstItems();
    list->contextMenuAt = {};
    list->textDropped = {};
  }
  keyFilter_.reset();
}

QWidget* App::mainWidget() const { return main_.get(); }

void App::Start() {
  // Without a usable file (the first run, a damaged file) the defaults stay.
  (void)LoadConfiguration(config_);
  chkFitEdges()->setChecked(config_.FitEdges != 0);
  doc_.TWKW = 16;
  doc_.TWKH = 16;
  RebuildGrid(16, 16);
  OnDocumentChanged();
  if (config_.valid == 0 || config_.Palette.size() != kPaletteSlots) DefaultPalette();
  DrawPalette();
  config_.valid = 1;

  // From here on every change is kept until it is saved.
  recovery_ = RecoveryKeeper::InStateFolder(doc_, state_, config_.RecentFile);

  CentreWindow(main_.get(), nullptr);
  main_->show();
  main_->activateWindow();
  imgDraw()->setFocus(Qt::OtherFocusReason);
}

// A configuration that cannot be written is not worth a message at exit.
void App::Shutdown() {
  // Whatever is being painted, the program ends within one item or band.
  canvasPainter_.Stop();
  previewPainter_.Stop();
  recovery_->Flush();
  (void)SaveConfiguration(config_);
}

void App::OnDocumentChange(const DocumentChange& change) {
  // The grid first: the picture is drawn on the new one.
  if (change.Has(DocumentChange::kSize)) RebuildGrid(change.width, change.height);
  if (change.Has(DocumentChange::kToolSettings)) UpdateTitle();
  if (change.Has(DocumentChange::kPicture)) OnDocumentChanged();
}

void App::OnDocumentChanged() {
  RedrawCanvas();
  recovery_->DocumentChanged();
  // A hidden or minimised preview does no work; showing it brings it up
  // to date.
  if (preview_->isShowing()) RefreshPreview();
}

void App::RefreshPreview(bool paintHere) {
  if (previewPainter_.Update(doc_, paintHere) == PreviewUpdate::kPainted) ShowFinishedPictures();
}

void App::ShowFinishedPictures() {
  const std::shared_ptr<const PreviewPictures> pictures = previewPainter_.pictures();
  if (!pictures || pictures->generation == previewShown_) return;
  preview_->ShowPictures(*pictures);
  previewShown_ = pictures->generation;
}

// Runs the event loop until `settled`, or false once `timeoutMs` pass. The
// workers' reports arrive as events, which wake the loop.
static bool SettleUntil(const std::function<bool()>& settled, int timeoutMs) {
  const QDeadlineTimer deadline(timeoutMs);
  // Wakes the loop below once the time is up, should no report come.
  QTimer alarm;
  alarm.setSingleShot(true);
  alarm.start(timeoutMs);
  while (!settled()) {
    if (deadline.hasExpired()) return false;
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
  return true;
}

bool App::SettlePreview(int timeoutMs) {
  return SettleUntil(
      [this] {
        const std::shared_ptr<const PreviewPictures> pictures = previewPainter_.pictures();
        return !previewPainter_.busy() && (!pictures || pictures->generation == previewShown_);
      },
      timeoutMs);
}

bool App::SettleCanvas(int timeoutMs) {
  return SettleUntil(
      [this] {
        const std::shared_ptr<const CanvasPicture> picture = canvasPainter_.picture();
        return !canvasPainter_.busy() && (!picture || picture->generation == canvasShown_);
      },
      timeoutMs);
}

void App::TogglePreview() {
  if (exportWindowOpen()) return;
  if (preview_->isShowing()) {
    preview_->hide();
    previewPainter_.Cancel();  // a hidden preview does no work
    return;
  }
  // Painted here when the worker is idle and that fits in a frame, so the
  // window opens up to date; a larger drawing follows from the worker.
  RefreshPreview(true);
  ShowFinishedPictures();
  if (!preview_->isVisible()) preview_->PlaceBesideOwner();
  preview_->showNormal();
}

void App::ReplaceDocument(TWKFILE doc) {
  // A preview paint of the items about to go is wasted work.
  previewPainter_.Cancel();
  LoadAsStep(*editor_, std::move(doc), config_.RecentFile);
  // The step holds the old items; forgetting it frees them with no step
  // left to refer to them.
  history_.Clear();
}

void App::LoadDocument(TWKFILE doc, std::string savePath) {
  previewPainter_.Cancel();
  LoadAsStep(*editor_, std::move(doc), std::move(savePath));
}

void App::RedrawCanvas() {
  ++redrawCount_;
  if (!grid_) return;
  FollowCanvas(canvasPainter_.Repaint(Scene()));
}

void App::PrepareCanvas() {
  if (!grid_ || state_.Constructing) return;
  canvasPainter_.KeepLayersFor(Scene());
}

CanvasScene App::Scene() const {
  // Key commands and their undo act on the selected items; the layers of
  // the others are kept. The marks show unless hidden or an item is drawn.
  std::vector<int> marked;
  if (selectionMarksShown() && !state_.Constructing) marked = items_.SelectedRows();
  return CanvasScene{*grid_, doc_, state_, editor_->pixelsPerUnitX, editor_->pixelsPerUnitY, items_.SelectedRuns(),
                     std::move(marked)};
}

void App::ShowCanvas() {
  if (!grid_) return;
  FollowCanvas(canvasPainter_.Mark(Scene()));
  // The rubber band follows the pointer over the last picture.
  const RubberBand::Area band = band_.area();
  if (band != bandShown_) ShowFinishedCanvas();
}

void App::FollowCanvas(CanvasUpdate update) {
  if (update == CanvasUpdate::kPainted) ShowFinishedCanvas();
  if (update == CanvasUpdate::kQueued) imgDraw()->setPainting(true);
}

void App::ShowFinishedCanvas() {
  const std::shared_ptr<const CanvasPicture> picture = canvasPainter_.picture();
  const RubberBand::Area band = band_.area();
  if (picture && (picture->generation != canvasShown_ || band != bandShown_)) {
    // The band's dashed outline is drawn on a copy: it is never part of a
    // finished picture, which later marks and bands start from.
    std::unique_ptr<Image> banded = band.empty() ? nullptr : picture->shown->Clone();
    if (banded) PaintBandOutline(*banded, {band.left, band.top, band.right, band.bottom});
    // The picture right after the one shown, with no band before or now,
    // differs from it only in its changed rectangle.
    const PixelArea changed = picture->changed;
    if (!banded && bandShown_.empty() && picture->generation == canvasShown_ + 1) {
      imgDraw()->setImageArea(ImageView(*picture->shown),
                              QRect(changed.left, changed.top, changed.right - changed.left, changed.bottom - changed.top));
    } else {
      imgDraw()->setImage(ToQImage(banded ? *banded : *picture->shown));
    }
    canvasShown_ = picture->generation;
    bandShown_ = band;
  }
  imgDraw()->setPainting(canvasPainter_.busy());
  // A repaint finished with the marks of the selection it was asked with;
  // the selection may have changed since.
  if (picture && grid_ && !canvasPainter_.busy() && picture->serial == canvasPainter_.requested() &&
      picture->marked != Scene().marked) {
    ShowCanvas();
  }
}

void App::ToggleSelectionMarks() {
  config_.HideMarks = selectionMarksShown() ? 1 : 0;
  ShowCanvas();
}

void App::RebuildGrid(int w, int h) {
  grid_.reset();
  grid_ = BuildGridImage(imgDraw()->width(), imgDraw()->height(), w, h);
  canvasPainter_.Invalidate();
}

void App::UpdateTitle() {
  main_->setWindowTitle(QString::fromStdString(TitleText(
      state_.CurType, state_.CurDrawMethod, state_.CurDrawMethod2, state_.CurDrawWidth, state_.CurAlpha)));
}

void App::DefaultPalette() { twk::DefaultPalette(config_.Palette, state_.CurRGB, random_); }

void App::DrawPalette() {
  std::unique_ptr<Image> strip = Image::NewTransparent(imgPalette()->width(), imgPalette()->height());
  if (!strip) return;
  twk::DrawPalette(*strip, config_.Palette, state_.CurRGB, scale_.x, scale_.y);
  imgPalette()->setImage(ToQImage(*strip));
}

void App::DispatchCommand(int number) {
  if (commandTap_) commandTap_(number);
  // While the pointer moves or reshapes items only Esc acts: it puts them
  // back. During a rubber band it takes the band away.
  if (gesture_.Active()) {
    if (number == keys::kEsc) gesture_.Cancel(*editor_);
    return;
  }
  if (band_.Active()) {
    if (number == keys::kEsc && band_.Cancel()) ShowFinishedCanvas();
    return;
  }
  commands_.Dispatch(*editor_, number, Now());
}

CommandConditions App::Now() const { return CommandConditions{state_.Constructing, exportWindowOpen()}; }

void App::PopupCommand(int menuNumber) {
  if (const CommandEntry* entry = commands_.FindMenuEntry(menuNumber)) DispatchCommand(entry->number);
}

}  // namespace twk
