#include "app/ExportWindow.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QSplitter>
#include <QTreeWidget>

#include "app/ExportSizeChecks.h"
#include "app/MainWindow.h"
#include "app/StayRestored.h"

namespace twk {

ExportWindow::ExportWindow(const LayoutSizes& sizes, QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("wndExportPNG"));
  setWindowTitle(QStringLiteral("Export PNG"));
  KeepFromMinimising(this);

  auto* vbox3 = new QVBoxLayout;
  vbox3->setObjectName(QStringLiteral("vbox3"));
  vbox3->setSpacing(kBoxSpacing);
  vbox3->setContentsMargins(kWindowMargin, kWindowMargin, kWindowMargin, kWindowMargin);
  vbox3->setSizeConstraint(QLayout::SetFixedSize);
  setLayout(vbox3);

  lstExportRes = new QTreeWidget;
  lstExportRes->setObjectName(QStringLiteral("lstExportRes"));
  lstExportRes->setFixedSize(sizes.DPIx3, sizes.DPIy4);
  lstExportRes->setColumnCount(1);
  lstExportRes->setHeaderLabel(QStringLiteral("Select resolutions"));
  lstExportRes->header()->setStretchLastSection(false);
  lstExportRes->setColumnWidth(0, 300);
  lstExportRes->setRootIsDecorated(false);
  lstExportRes->setAllColumnsShowFocus(true);
  lstExportRes->setSelectionMode(QAbstractItemView::ExtendedSelection);
  lstExportRes->setSelectionBehavior(QAbstractItemView::SelectRows);
  lstExportRes->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  QPalette pal = lstExportRes->palette();
  pal.setColor(QPalette::Inactive, QPalette::Highlight, pal.color(QPalette::Active, QPalette::Highlight));
  pal.setColor(QPalette::Inactive, QPalette::HighlightedText,
               pal.color(QPalette::Active, QPalette::HighlightedText));
  lstExportRes->setPalette(pal);
  AddCheckAllActions(*lstExportRes);
  vbox3->addWidget(lstExportRes);

  // The label above the field: both keep to the list's width.
  auto* otherLabel = new QLabel(QStringLiteral("Other sizes"));
  txtOtherSizes = new QLineEdit;
  txtOtherSizes->setObjectName(QStringLiteral("txtOtherSizes"));
  txtOtherSizes->setFixedWidth(sizes.DPIx3);
  txtOtherSizes->setPlaceholderText(QStringLiteral("20, 22, 24"));
  txtOtherSizes->setToolTip(QStringLiteral("Sizes from 1 to 4096 pixels, separated by commas"));
  otherLabel->setBuddy(txtOtherSizes);
  vbox3->addWidget(otherLabel);
  vbox3->addWidget(txtOtherSizes);

  chkFitEdges = new QCheckBox(QStringLiteral("Fit edges to pixels"));
  chkFitEdges->setObjectName(QStringLiteral("chkFitEdges"));
  vbox3->addWidget(chkFitEdges);

  // The button pair keeps its own width and sits at the left.
  auto* hbox2 = new QHBoxLayout;
  hbox2->setObjectName(QStringLiteral("hbox2"));
  hbox2->setSpacing(kBoxSpacing);
  hbox2->setContentsMargins(0, 0, 0, 0);
  splitter1 = new QSplitter(Qt::Horizontal);
  splitter1->setObjectName(QStringLiteral("splitter1"));
  splitter1->setChildrenCollapsible(false);
  cmdExport = new QPushButton(QStringLiteral("Export"));
  cmdExport->setObjectName(QStringLiteral("cmdExport"));
  cmdExportAbort = new QPushButton(QStringLiteral("Cancel"));
  cmdExportAbort->setObjectName(QStringLiteral("cmdExportAbort"));
  for (QPushButton* button : {cmdExport, cmdExportAbort}) {
    button->setMinimumWidth(0);
    button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    splitter1->addWidget(button);
  }
  splitter1->setFixedWidth(sizes.DPIx4);
  splitter1->setSizes({sizes.DPIx4 / 2, sizes.DPIx4 - sizes.DPIx4 / 2});
  hbox2->addWidget(splitter1, 0, Qt::AlignLeft);
  hbox2->addStretch(1);
  vbox3->addLayout(hbox2);

  // Esc is Cancel, as the close button is.
  auto* esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  esc->setContext(Qt::WindowShortcut);
  connect(esc, &QShortcut::activated, this, [this] {
    if (closing) closing();
  });
}

void ExportWindow::Open() {
  QWidget* owner = parentWidget();
  adjustSize();
  CentreWindow(this, owner);
  show();
  // The size list opens at its first row, whatever it was scrolled to before.
  lstExportRes->scrollToTop();
  lstExportRes->horizontalScrollBar()->setValue(0);
  // The export window is owned by the main window, so disabling the main
  // window disables it too; a window may be enabled again on its own.
  owner->setEnabled(false);
  setEnabled(true);
  activateWindow();
  open_ = true;
}

void ExportWindow::Close() {
  hide();
  QWidget* owner = parentWidget();
  owner->setEnabled(true);
  owner->activateWindow();
  open_ = false;
}

void ExportWindow::closeEvent(QCloseEvent* event) {
  // The window stays; Cancel decides what happens (it hides it).
  event->ignore();
  if (closing) closing();
}

}  // namespace twk
