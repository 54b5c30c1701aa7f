#include "app/MainWindow.h"

#include <QBoxLayout>
#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

#include "app/HyperLink.h"
#include "app/ImageCanvas.h"
#include "app/ItemListWidget.h"
#include "app/StayRestored.h"

namespace twk {

namespace {

template <typename Box>
Box* NewBox(const char* name, int margin) {
  auto* box = new Box;
  box->setObjectName(QString::fromLatin1(name));
  box->setSpacing(kBoxSpacing);
  box->setContentsMargins(margin, margin, margin, margin);
  return box;
}

}  // namespace

MainWindow::MainWindow(const LayoutSizes& sizes, ItemList& items)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("wndMain"));
  setWindowTitle(QStringLiteral("Tarnwick"));
  KeepFromMinimising(this);
  setAcceptDrops(true);

  auto* vbox1 = NewBox<QVBoxLayout>("vbox1", kWindowMargin);
  vbox1->setSizeConstraint(QLayout::SetFixedSize);  // fitted to content, not resizable
  setLayout(vbox1);

  // Canvas and item list side by side.
  auto* hbox1 = NewBox<QHBoxLayout>("hbox1", 0);
  auto* vbox1_c1 = NewBox<QVBoxLayout>("vbox1_c1", 0);
  imgDraw = new ImageCanvas;
  imgDraw->setObjectName(QStringLiteral("imgDraw"));
  imgDraw->setFixedSize(sizes.DPIx1, sizes.DPIy1);
  imgDraw->setFocusPolicy(Qt::StrongFocus);
  imgDraw->setConfinePointer(true);
  vbox1_c1->addWidget(imgDraw);
  hbox1->addLayout(vbox1_c1);

  auto* vbox2 = NewBox<QVBoxLayout>("vbox2", 0);
  lstItems = new ItemListWidget(items);
  lstItems->setObjectName(QStringLiteral("lstItems"));
  lstItems->setFixedSize(sizes.DPIx2, sizes.DPIy2);
  vbox2->addWidget(lstItems, 0, Qt::AlignTop);
  vbox2->addStretch(1);
  hbox1->addLayout(vbox2);
  vbox1->addLayout(hbox1);

  // Palette strip, as wide as the row above.
  auto* hbox3 = NewBox<QHBoxLayout>("hbox3", 0);
  imgPalette = new ImageCanvas;
  imgPalette->setObjectName(QStringLiteral("imgPalette"));
  imgPalette->setFixedHeight(sizes.DPIy3);
  imgPalette->setMinimumWidth(0);
  imgPalette->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
  hbox3->addWidget(imgPalette);
  vbox1->addLayout(hbox3);

  // Bottom bar: version at the left edge, link at the right edge.
  container1 = new QFrame;
  container1->setObjectName(QStringLiteral("container1"));
  container1->setFrameStyle(QFrame::Box | QFrame::Plain);
  container1->setLineWidth(1);
  auto* hbox4 = NewBox<QHBoxLayout>("hbox4", kContainerMargin);
  container1->setLayout(hbox4);
  lblVersion = new QLabel;
  lblVersion->setObjectName(QStringLiteral("lblVersion"));
  auto* empty1 = new QWidget;
  empty1->setObjectName(QStringLiteral("empty1"));
  empty1->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Minimum);
  empty1->setMinimumSize(0, 0);
  lnkHome = new HyperLink(QString::fromLatin1(kHomeText), QUrl(QString::fromLatin1(kHomeAddress)));
  lnkHome->setObjectName(QStringLiteral("lnkHome"));
  hbox4->addWidget(lblVersion);
  hbox4->addWidget(empty1, 1);
  hbox4->addWidget(lnkHome);
  container1->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
  vbox1->addWidget(container1);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (closing) closing();
  event->accept();
}

void CentreWindow(QWidget* window, const QWidget* over) {
  QRect area;
  if (over) {
    area = over->frameGeometry();
  } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    area = screen->availableGeometry();
  } else {
    return;
  }
  QRect frame = window->frameGeometry();
  frame.moveCenter(area.center());
  window->move(frame.topLeft());
}

}  // namespace twk
