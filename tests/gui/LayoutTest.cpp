// Layout sizes from the screen scale, and the sizes and places of the built
// windows' controls.

#include <gtest/gtest.h>

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTreeWidget>

#include "GuiTestSupport.h"
#include "app/AppCommands.h"
#include "app/ExportCommands.h"
#include "app/ExportWindow.h"
#include "app/HyperLink.h"
#include "app/ImageCanvas.h"
#include "app/MainWindow.h"
#include "app/ItemListWidget.h"

namespace twk {
namespace {

struct DpiCase {
  double dpiX, dpiY;
  float sx, sy;
  LayoutSizes sizes;  // DPIx1..4, DPIy1..4
};

TEST(LayoutSizesTest, FollowTheScreenDpiRoundingHalvesToEven) {
  const DpiCase cases[] = {
      {96, 96, 1.0f, 1.0f, {320, 140, 160, 160, 320, 320, 20, 160}},
      {120, 120, 1.25f, 1.25f, {400, 175, 200, 200, 400, 400, 25, 200}},
      {144, 144, 1.5f, 1.5f, {480, 210, 240, 240, 480, 480, 30, 240}},
      // 157.5 -> 158 and 22.5 -> 22: halves go to the even neighbour.
      {108, 108, 1.125f, 1.125f, {360, 158, 180, 180, 360, 360, 22, 180}},
      // An axis reporting 0 keeps the factor 1.
      {144, 0, 1.5f, 1.0f, {480, 210, 240, 240, 320, 320, 20, 160}},
      {0, 120, 1.0f, 1.25f, {320, 140, 160, 160, 400, 400, 25, 200}},
  };
  for (const DpiCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.dpiX << " x " << c.dpiY << " dpi");
    const ScreenScale scale = ScreenScaleFromDpi(c.dpiX, c.dpiY);
    EXPECT_EQ(scale.x, c.sx);
    EXPECT_EQ(scale.y, c.sy);
    const LayoutSizes s = ComputeLayoutSizes(scale);
    EXPECT_EQ(s.DPIx1, c.sizes.DPIx1);
    EXPECT_EQ(s.DPIx2, c.sizes.DPIx2);
    EXPECT_EQ(s.DPIx3, c.sizes.DPIx3);
    EXPECT_EQ(s.DPIx4, c.sizes.DPIx4);
    EXPECT_EQ(s.DPIy1, c.sizes.DPIy1);
    EXPECT_EQ(s.DPIy2, c.sizes.DPIy2);
    EXPECT_EQ(s.DPIy3, c.sizes.DPIy3);
    EXPECT_EQ(s.DPIy4, c.sizes.DPIy4);
  }
}

TEST(LayoutSizesTest, ScreenWithoutDensityKeepsScaleOne) {
  const ScreenScale scale = ScreenScaleFromDpi(-1, std::numeric_limits<double>::quiet_NaN());
  EXPECT_EQ(scale.x, 1.0f);
  EXPECT_EQ(scale.y, 1.0f);
}

struct Expected {
  float scale;
  int canvas, listW, listH, palette, exportList, pair;
};

class WindowLayoutTest : public testing::TestWithParam<Expected> {};

TEST_P(WindowLayoutTest, ControlsTakeTheLayoutSizes) {
  const Expected e = GetParam();
  test::ScopedWorkDir dir;
  test::ScriptedDialogs dialogs;
  auto app = test::StartedApp(dialogs, ScreenScale{e.scale, e.scale});
  QWidget* main = app->mainWindow();
  const int row = e.canvas + 5 + e.listW;  // canvas, gap, item list

  EXPECT_EQ(app->mainWindow()->imgDraw->size(), QSize(e.canvas, e.canvas));
  EXPECT_EQ(app->mainWindow()->imgDraw->pos(), QPoint(8, 8));
  EXPECT_EQ(app->mainWindow()->lstItems->size(), QSize(e.listW, e.listH));
  EXPECT_EQ(app->mainWindow()->lstItems->pos(), QPoint(8 + e.canvas + 5, 8));
  EXPECT_EQ(app->mainWindow()->imgPalette->height(), e.palette);
  EXPECT_EQ(app->mainWindow()->imgPalette->width(), row);
  EXPECT_EQ(app->mainWindow()->imgPalette->pos(), QPoint(8, 8 + e.canvas + 5));
  EXPECT_EQ(main->width(), row + 16);

  // The bottom bar spans the row; version at its left, link at its right.
  QWidget* bar = app->mainWindow()->container1;
  EXPECT_EQ(bar->width(), row);
  EXPECT_EQ(bar->y(), 8 + e.canvas + 5 + e.palette + 5);
  EXPECT_EQ(main->height(), bar->geometry().bottom() + 1 + 8);
  EXPECT_EQ(app->mainWindow()->lblVersion->text(), QString("v1.0.0.4"));
  EXPECT_EQ(app->mainWindow()->lblVersion->x(), bar->contentsRect().left() + 10);
  EXPECT_EQ(app->mainWindow()->lnkHome->geometry().right(), bar->contentsRect().right() - 10);

  // Fitted and fixed: the window cannot be resized.
  EXPECT_EQ(main->minimumSize(), main->maximumSize());
  const Qt::WindowFlags flags = main->windowFlags();
  EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);

  ExportWindow* exportWindow = app->exportWindow();
  EXPECT_EQ(app->exportWindow()->lstExportRes->size(), QSize(e.exportList, e.exportList));
  EXPECT_EQ(app->exportWindow()->splitter1->width(), e.pair);
  EXPECT_EQ(app->exportWindow()->splitter1->x(), 8);
  EXPECT_EQ(exportWindow->width(), e.exportList + 16);
}

INSTANTIATE_TEST_SUITE_P(Scales, WindowLayoutTest,
                         testing::Values(Expected{1.0f, 320, 140, 320, 20, 160, 160},
                                         Expected{1.25f, 400, 175, 400, 25, 200, 200}),
                         [](const testing::TestParamInfo<Expected>& info) {
                           return "Scale" + std::to_string(static_cast<int>(info.param.scale * 100));
                         });

TEST(WindowsTest, ElementsCarryTheirNamesAndTexts) {
  test::ScopedWorkDir dir;
  test::ScriptedDialogs dialogs;
  auto app = test::StartedApp(dialogs);
  QWidget* main = app->mainWindow();
  EXPECT_EQ(main->objectName(), QString("wndMain"));
  for (const char* name : {"imgDraw", "lstItems", "imgPalette", "container1", "lblVersion", "empty1", "lnkHome"}) {
    EXPECT_NE(main->findChild<QWidget*>(name), nullptr) << name;
  }
  ExportWindow* exportWindow = app->exportWindow();
  EXPECT_EQ(exportWindow->objectName(), QString("wndExportPNG"));
  EXPECT_EQ(exportWindow->windowTitle(), QString("Export PNG"));
  EXPECT_TRUE(exportWindow->windowFlags().testFlag(Qt::Tool));
  EXPECT_EQ(exportWindow->parentWidget(), main);
  EXPECT_FALSE(exportWindow->isVisible());
  EXPECT_EQ(app->exportWindow()->cmdExport->text(), QString("Export"));
  EXPECT_EQ(app->exportWindow()->cmdExportAbort->text(), QString("Cancel"));
  EXPECT_EQ(app->exportWindow()->splitter1->orientation(), Qt::Horizontal);
  EXPECT_EQ(app->exportWindow()->splitter1->widget(0), app->exportWindow()->cmdExport);
  EXPECT_EQ(app->exportWindow()->splitter1->widget(1), app->exportWindow()->cmdExportAbort);

  // Both lists: one 300-pixel column, full-row multiple selection.
  QTreeView* lists[] = {app->mainWindow()->lstItems, app->exportWindow()->lstExportRes};
  const char* headers[] = {"Vector stuff", "Select resolutions"};
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(lists[i]->model()->columnCount(), 1);
    EXPECT_EQ(lists[i]->model()->headerData(0, Qt::Horizontal).toString(), QString(headers[i]));
    EXPECT_EQ(lists[i]->columnWidth(0), 300);
    EXPECT_EQ(lists[i]->selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_EQ(lists[i]->selectionBehavior(), QAbstractItemView::SelectRows);
    const QPalette pal = lists[i]->palette();
    EXPECT_EQ(pal.color(QPalette::Inactive, QPalette::Highlight), pal.color(QPalette::Active, QPalette::Highlight));
  }
}

TEST(WindowsTest, HomeLinkTurnsBlueUnderThePointerAndOpensItsAddress) {
  test::ScopedWorkDir dir;
  test::ScriptedDialogs dialogs;
  auto app = test::StartedApp(dialogs);
  HyperLink* link = app->mainWindow()->lnkHome;
  std::vector<QUrl> opened;
  app->mainWindow()->lnkHome->setOpener([&](const QUrl& url) { opened.push_back(url); });

  const QColor normal = app->mainWindow()->lblVersion->palette().color(QPalette::WindowText);
  EXPECT_EQ(link->palette().color(QPalette::WindowText), normal);
  EXPECT_FALSE(link->font().underline());
  EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);

  QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
  QApplication::sendEvent(link, &enter);
  EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(0, 0, 255));
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(link, &leave);
  EXPECT_EQ(link->palette().color(QPalette::WindowText), normal);

  QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(3, 3));
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], QUrl("https://tarnwick.example/"));
}

TEST(WindowsTest, NeitherWindowStaysMinimised) {
  test::ScopedWorkDir dir;
  test::ScriptedDialogs dialogs;
  auto app = test::StartedApp(dialogs);
  OpenExportWindow(ExportPartsOf(*app));
  for (QWidget* window : {static_cast<QWidget*>(app->exportWindow()), static_cast<QWidget*>(app->mainWindow())}) {
    window->setWindowState(window->windowState() | Qt::WindowMinimized);
    QCoreApplication::processEvents();
    EXPECT_FALSE(window->isMinimized()) << window->objectName().toStdString();
    EXPECT_TRUE(window->isVisible());
  }
}

}  // namespace
}  // namespace twk
