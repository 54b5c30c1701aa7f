// Builds both windows and binds every control to its handler.

#include <QBoxLayout>
#include <cmath>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

#include "app/App.h"
#include "app/AppCommands.h"
#include "app/ExportCommands.h"
#include "app/ExportWindow.h"
#include "app/HyperLink.h"
#include "app/ImageCanvas.h"
#include "app/ItemListWidget.h"
#include "app/KeyCommandFilter.h"
#include "app/MainWindow.h"
#include "app/PreviewWindow.h"
#include "app/PopupMenu.h"
#include "document/Colour.h"
#include "editor/Construction.h"
#include "editor/KeyCommands.h"
#include "editor/KeyNumbers.h"
#include "fit/Crispness.h"
#include "fit/FitToPixels.h"
#include "render/Palette.h"

namespace twk {

void App::BuildWindows() {
  main_ = std::make_unique<MainWindow>(layout_, items_);

  editor_ = std::make_unique<Editor>(Editor{doc_, state_, items_, &history_});
  editor_->savePath = &config_.RecentFile;
  editor_->pixelsPerUnitX = kUnitPixels * scale_.x;
  editor_->pixelsPerUnitY = kUnitPixels * scale_.y;
  editor_->changed = [this](const DocumentChange& change) { OnDocumentChange(change); };

  WirePalette();
  WireCanvas();
  WireItemList();
  AddEditorCommands(commands_);
  AddAppCommands(commands_, *this);
  keyFilter_ = std::make_unique<KeyCommandFilter>(main_.get(), commands_, [this](int number) { DispatchCommand(number); });
  keyFilter_->pointerHeld = [this] { return gesture_.Active() || band_.Active(); };
  lblVersion()->setText(QString::fromLatin1(kVersionText));
  imgDraw()->setFocus(Qt::OtherFocusReason);
  UpdateTitle();
  main_->layout()->activate();

  export_ = new ExportWindow(layout_, main_.get());
  WireExportWindow();
  export_->layout()->activate();

  // Hidden until P shows it; its close button only hides it again.
  preview_ = new PreviewWindow(main_.get());
  preview_->restored = [this] { RefreshPreview(true); };
  preview_->layout()->activate();
  ApplyEdgeFit();
}

void App::WireCanvas() {
  // A plain press draws a new item; with Ctrl it points at items instead.
  imgDraw()->onPress = [this](Qt::MouseButton button, QPoint p, Qt::KeyboardModifiers modifiers) {
    if (button != Qt::LeftButton) return;
    if (!(modifiers & Qt::ControlModifier)) {
      // With Shift the item's points snap to cell corners as well as centres.
      StartItem(*editor_, p.x(), p.y(),
                (modifiers & Qt::ShiftModifier) ? PointSnap::kHalfUnits : PointSnap::kCellCentres);
    } else if (commands_.MayRun(keys::kPointAtItems, Now()) && !gesture_.Active() && !band_.Active()) {
      const bool adding = (modifiers & Qt::ShiftModifier) != 0;
      if (band_.IsGround(*editor_, p.x(), p.y(), adding))
        band_.Start(p.x(), p.y(), adding);
      else
        gesture_.Press(*editor_, p.x(), p.y(), adding);
    }
  };
  imgDraw()->onMove = [this](QPoint p) {
    if (gesture_.Active()) {
      gesture_.Follow(*editor_, p.x(), p.y());
    } else if (band_.Active()) {
      band_.Follow(p.x(), p.y());
      ShowFinishedCanvas();  // the marks stay as they are; only the band moves
    } else {
      FollowPointer(*editor_, p.x(), p.y());
    }
  };
  imgDraw()->onRelease = [this](Qt::MouseButton button, QPoint) {
    if (button != Qt::LeftButton) return;
    if (gesture_.Active())
      gesture_.Release(*editor_);
    else if (band_.Active())
      band_.Finish(*editor_);
    else
      FinishItem(*editor_);
    // The finished item is selected once the drawing has ended: its marks
    // show now.
    ShowCanvas();
  };
}

void App::WirePalette() {
  imgPalette()->onRelease = [this](Qt::MouseButton button, QPoint p) { OnPaletteRelease(button, p.x()); };
}

void App::OnPaletteRelease(int button, int x) {
  const int slot = PaletteSlotAt(static_cast<float>(x), static_cast<float>(imgPalette()->width()));
  // A release beyond either end of the strip has no slot and does nothing.
  if (slot < 0 || slot >= static_cast<int>(config_.Palette.size())) return;
  std::int32_t& entry = config_.Palette[static_cast<std::size_t>(slot)];
  if (button == Qt::LeftButton) {
    state_.CurRGB = entry;
    DrawPalette();
  } else if (button == Qt::RightButton) {
    QColor chosen;
    if (!dialogs_->ChooseColour(main_.get(), QColor(RedOf(entry), GreenOf(entry), BlueOf(entry)), chosen)) return;
    entry = PackRGBA(chosen.red(), chosen.green(), chosen.blue(), 0);
    state_.CurRGB = entry;
    DrawPalette();
  }
}

void App::WireItemList() {
  // A selection that has not changed for this long is likely to get keys
  // next; moving through the list faster than that prepares nothing.
  constexpr int kSelectionRestMs = 150;
  selectionRest_ = new QTimer(main_.get());
  selectionRest_->setSingleShot(true);
  selectionRest_->setInterval(kSelectionRestMs);
  QObject::connect(selectionRest_, &QTimer::timeout, main_.get(), [this] { PrepareCanvas(); });
  // A check mark or the selection changed: the items' visibility follows
  // the check marks.
  listFollower_ = std::make_unique<ItemListFollower>(items_, [this](const ListChange& change) {
    if (change.checks || change.selection) commands_.Dispatch(*editor_, keys::kCheckMarks, Now());
    // The marks follow the selection. Rows that come or go come with a
    // change of the document, whose redraw shows the marks once.
    if (change.selection && !change.rows) {
      ShowCanvas();
      selectionRest_->start();
    }
  });
  lstItems()->contextMenuAt = [this](QPoint pos) { OpenPopupMenu(pos); };
  lstItems()->dragStarting = [this] {
    if (!commands_.MayRun(keys::kRowDrag, Now()) || !RowDragStart(*editor_, pendingDrag_)) return QString();
    return QString::fromStdString(items_.RowText(pendingDrag_.row));
  };
  lstItems()->textDropped = [this](const QString& text) {
    if (commands_.MayRun(keys::kRowDrop, Now())) RowDrop(*editor_, pendingDrag_, text.toStdString());
  };
  // A drag that ended anywhere but on the list moves nothing later on.
  lstItems()->dragEndedElsewhere = [this] { pendingDrag_ = PendingDrag{}; };

  popup_ = new QMenu(main_.get());
  popup_->setObjectName(QStringLiteral("popupMenu"));
  // The one binding of the menu: a choice reaches PopupCommand once, after
  // the menu has closed.
  QObject::connect(popup_, &QMenu::triggered, main_.get(), [this](QAction* action) {
    const int number = PopupEntryNumber(action);
    QTimer::singleShot(0, main_.get(), [this, number] { PopupCommand(number); });
  });
}

void App::OpenPopupMenu(const QPoint& globalPos) {
  BuildPopupMenu(*popup_, commands_);
  popup_->popup(globalPos);
}

void App::WireExportWindow() {
  QObject::connect(cmdExport(), &QPushButton::clicked, export_, [this] { commands_.Dispatch(*editor_, keys::kExportSizes, Now()); });
  QObject::connect(cmdExportAbort(), &QPushButton::clicked, export_, [this] { CancelExport(*export_); });
  export_->closing = [this] { CancelExport(*export_); };
  QObject::connect(chkFitEdges(), &QCheckBox::toggled, export_, [this](bool on) {
    config_.FitEdges = on ? 1 : 0;
    ApplyEdgeFit();
  });
}

void App::ApplyEdgeFit() {
  PreviewSizeHooks hooks;
  if (config_.FitEdges) hooks.prepare = [](const TWKFILE& doc, int edge) { return FitToPixels(doc, edge); };
  // The figure is for icons: past a few hundred items it would cost more
  // than the picture itself on every change, and none is shown.
  hooks.figure = [](const TWKFILE& painted, const Image& layer) {
    constexpr int kMostItemsMeasured = 500;
    return painted.CData.size() > kMostItemsMeasured ? std::nan("") : MeasureCrispness(painted, layer).M();
  };
  previewPainter_.SetSizeHooks(std::move(hooks));
  if (preview_->isShowing()) RefreshPreview(true);
}

void App::setUrlOpener(std::function<void(const QUrl&)> opener) { lnkHome()->setOpener(std::move(opener)); }

}  // namespace twk
