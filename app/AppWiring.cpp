// Builds both windows and binds every control to its handler.

#include <QBoxLayout>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

#include "app/App.h"
#include "app/AppCommands.h"
#include "app/CanvasView.h"
#include "app/ExportCommands.h"
#include "app/ExportWindow.h"
#include "app/ImageCanvas.h"
#include "app/ItemListWidget.h"
#include "app/KeyCommandFilter.h"
#include "app/MainWindow.h"
#include "app/PaletteView.h"
#include "app/PopupMenu.h"
#include "app/MaskRowView.h"
#include "app/PreviewView.h"
#include "app/PreviewWindow.h"
#include "editor/Construction.h"
#include "editor/ItemCommands.h"
#include "editor/KeyCommands.h"
#include "editor/KeyNumbers.h"

namespace twk {

void App::BuildWindows() {
  main_ = std::make_unique<MainWindow>(layout_, session_.rows());
  canvas_ = std::make_unique<CanvasView>(session_, *main_->imgDraw, band_, config_);
  palette_ = std::make_unique<PaletteView>(config_, session_.state(), *main_->imgPalette, scale_,
                                           Asking{dialogs_, main_.get()});

  WireCanvas();
  WireItemList();
  AddEditorCommands(commands_);
  AddAppCommands(commands_, *this);
  keyFilter_ = std::make_unique<KeyCommandFilter>(main_.get(), commands_, [this](int number) { DispatchCommand(number); });
  keyFilter_->pointerHeld = [this] { return gesture_.Active() || band_.Active(); };
  main_->keyCommands = keyFilter_.get();
  main_->lblVersion->setText(QString::fromLatin1(kVersionText));
  // A file dropped on the window opens as Load opens it; the window takes
  // no drop while the export window is open, nor a late one then.
  main_->fileDropped = [this](const QString& path) {
    if (commands_.MayRun(keys::kLoad, Now()) && !exportWindowOpen())
      LoadDocumentFromPath(DocumentFilePartsOf(*this), path);
  };
  main_->imgDraw->setFocus(Qt::OtherFocusReason);
  UpdateTitle();
  main_->layout()->activate();

  export_ = new ExportWindow(layout_, main_.get());
  WireExportWindow();
  export_->layout()->activate();

  // Hidden until P shows it; its close button only hides it again.
  main_->preview = new PreviewWindow(main_.get());
  preview_ = std::make_unique<PreviewView>(session_, *main_->preview);
  main_->preview->layout()->activate();
  preview_->ApplyEdgeFit(config_.FitEdges != 0);
  maskRow_ = std::make_unique<MaskRowView>(session_, *main_->preview->maskRow(), config_);
}

void App::WireCanvas() {
  ImageCanvas* canvas = main_->imgDraw;
  // A plain press draws a new item; with Ctrl it points at items instead.
  canvas->onPress = [this](Qt::MouseButton button, QPoint p, Qt::KeyboardModifiers modifiers) {
    if (button != Qt::LeftButton) return;
    if (!(modifiers & Qt::ControlModifier)) {
      // With Shift the item's points snap to cell corners as well as centres.
      StartItem(session_, p.x(), p.y(),
                (modifiers & Qt::ShiftModifier) ? PointSnap::kHalfUnits : PointSnap::kCellCentres);
    } else if (commands_.MayRun(keys::kPointAtItems, Now()) && !gesture_.Active() && !band_.Active()) {
      const bool adding = (modifiers & Qt::ShiftModifier) != 0;
      if (band_.IsGround(session_, p.x(), p.y(), adding))
        band_.Start(p.x(), p.y(), adding);
      else
        gesture_.Press(session_, p.x(), p.y(), adding);
    }
  };
  canvas->onMove = [this](QPoint p) {
    if (gesture_.Active()) {
      gesture_.Follow(session_, p.x(), p.y());
    } else if (band_.Active()) {
      band_.Follow(p.x(), p.y());
      canvas_->ShowFinished();  // the marks stay as they are; only the band moves
    } else {
      FollowPointer(session_, p.x(), p.y());
    }
  };
  // The Preview tells where the pointer is, in units.
  canvas->onHover = [this](std::optional<QPoint> p) {
    std::optional<QPointF> units;
    if (p) {
      const Point at = PointerUnits(session_, p->x(), p->y());
      units = QPointF(at.x, at.y);
    }
    main_->preview->ShowPointer(units);
  };
  canvas->onRelease = [this](Qt::MouseButton button, QPoint) {
    if (button != Qt::LeftButton) return;
    if (gesture_.Active())
      gesture_.Release(session_);
    else if (band_.Active())
      band_.Finish(session_);
    else
      FinishItem(session_);
    // The finished item is selected once the drawing has ended: its marks
    // show now.
    canvas_->ShowMarks();
  };
}

void App::WireItemList() {
  ItemListWidget* list = main_->lstItems;
  list->contextMenuAt = [this](QPoint pos) {
    BuildPopupMenu(*main_->popupMenu, commands_);
    main_->popupMenu->popup(pos);
  };
  PendingDrag& drag = session_.rowDrag;
  list->dragStarting = [this, &drag] {
    if (!commands_.MayRun(keys::kRowDrag, Now()) || !RowDragStart(session_, drag)) return QString();
    return QString::fromStdString(session_.rows().RowText(drag.row));
  };
  list->textDropped = [this, &drag](const QString& text) {
    if (commands_.MayRun(keys::kRowDrop, Now())) RowDrop(session_, drag, text.toStdString());
  };
  // A drag that ended anywhere but on the list moves nothing later on.
  list->dragEndedElsewhere = [&drag] { drag = PendingDrag{}; };

  QMenu* popup = main_->popupMenu = new QMenu(main_.get());
  popup->setObjectName(QStringLiteral("popupMenu"));
  // The one binding of the menu: a choice reaches PopupCommand once, after
  // the menu has closed.
  QObject::connect(popup, &QMenu::triggered, main_.get(), [this](QAction* action) {
    const int number = PopupEntryNumber(action);
    QTimer::singleShot(0, main_.get(), [this, number] { PopupCommand(number); });
  });
}

void App::WireExportWindow() {
  QObject::connect(export_->cmdExport, &QPushButton::clicked, export_,
                   [this] { commands_.Dispatch(session_, keys::kExportSizes, Now()); });
  QObject::connect(export_->cmdExportAbort, &QPushButton::clicked, export_, [this] { CancelExport(*export_); });
  export_->closing = [this] { CancelExport(*export_); };
  QObject::connect(export_->chkFitEdges, &QCheckBox::toggled, export_, [this](bool on) {
    config_.FitEdges = on ? 1 : 0;
    if (preview_) preview_->ApplyEdgeFit(on);
    if (maskRow_) maskRow_->Refresh();
  });
}

}  // namespace twk
