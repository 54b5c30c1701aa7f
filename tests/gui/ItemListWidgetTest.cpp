// lstItems as a widget: the row operations, one change report per program
// change, what may be dropped on it, and the popup menu's table.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QUrl>

#include "editor/ListFollower.h"
#include "GuiTestSupport.h"
#include "app/ItemListWidget.h"
#include "app/PopupMenu.h"

namespace twk {
namespace {

class ItemListWidgetTest : public testing::Test {
 protected:
  void SetUp() override {
    list.resize(140, 320);
    list.show();
    for (int i = 0; i < 3; ++i) {
      rows.InsertRow(i, "Row" + std::to_string(i));
      rows.AttachItem(i, &items[i]);
    }
  }
  QPoint RowPoint(int row) { return QPoint(60, list.rowRect(row).center().y()); }

  ItemList rows;
  ItemListWidget list{rows};
  // Selection and check marks, as the program follows them.
  ItemListFollower counter{rows, [this](const ListChange& change) { changes += change.checks || change.selection; }};
  TWKDATA items[3];
  int changes = 0;
};

TEST_F(ItemListWidgetTest, RowsHoldTextItemAndStateWithoutReportingInsertions) {
  EXPECT_EQ(changes, 0);  // inserting and attaching are no changes
  EXPECT_EQ(rows.RowCount(), 3);
  rows.InsertRow(99, "Last");  // past the end appends
  rows.InsertRow(0, "First");
  EXPECT_EQ(rows.RowText(0), "First");
  EXPECT_EQ(rows.RowText(4), "Last");
  EXPECT_EQ(rows.RowItem(1), &items[0]);
  EXPECT_EQ(rows.RowItem(0), nullptr);
  EXPECT_FALSE(rows.GetRowState(1).checked);
  EXPECT_FALSE(rows.GetRowState(1).selected);
  rows.RemoveRow(0);
  rows.RemoveRow(3);
  EXPECT_EQ(rows.RowText(0), "Row0");
  EXPECT_EQ(rows.RowCount(), 3);
  EXPECT_EQ(changes, 0);
}

TEST_F(ItemListWidgetTest, APartialChangeReachesTheViewAsRowsInsertedAndRemovedNotAReset) {
  QAbstractItemModel* model = list.model();
  QSignalSpy resets(model, &QAbstractItemModel::modelReset);
  QSignalSpy inserted(model, &QAbstractItemModel::rowsInserted);
  QSignalSpy removed(model, &QAbstractItemModel::rowsRemoved);
  QSignalSpy changed(model, &QAbstractItemModel::dataChanged);
  rows.SelectOnly(2);
  {
    RowUpdateBatch batch(rows);
    rows.RemoveRow(1);
    rows.InsertRow(0, "New0");
    rows.InsertRow(1, "New1");
  }
  rows.SetChecked(3, true);

  EXPECT_EQ(resets.count(), 0);
  ASSERT_EQ(removed.count(), 1);
  EXPECT_EQ(std::make_pair(removed[0][1].toInt(), removed[0][2].toInt()), std::make_pair(1, 1));
  // Each piece as the list made it: the view hears of it before the list changes.
  ASSERT_EQ(inserted.count(), 2);
  EXPECT_EQ(std::make_pair(inserted[0][1].toInt(), inserted[0][2].toInt()), std::make_pair(0, 0));
  EXPECT_EQ(std::make_pair(inserted[1][1].toInt(), inserted[1][2].toInt()), std::make_pair(1, 1));
  ASSERT_EQ(changed.count(), 1);
  EXPECT_EQ(std::make_pair(changed[0][0].toModelIndex().row(), changed[0][1].toModelIndex().row()),
            std::make_pair(3, 3));
  // The view shows the rows as the list holds them, the selected row where it went.
  ASSERT_EQ(model->rowCount(), 4);
  for (int r = 0; r < 4; ++r) EXPECT_EQ(model->index(r, 0).data().toString().toStdString(), rows.RowText(r));
  EXPECT_EQ(model->index(3, 0).data(Qt::CheckStateRole).value<Qt::CheckState>(), Qt::Checked);
  EXPECT_EQ(list.currentIndex().row(), 3);
  EXPECT_EQ(list.selectionModel()->selectedRows().size(), 1);

  rows.RemoveAllRows();  // the whole list: one reset
  EXPECT_EQ(resets.count(), 1);
  EXPECT_EQ(model->rowCount(), 0);
}

TEST_F(ItemListWidgetTest, SettingBothFlagsIsOneChange) {
  rows.SetRowState(1, RowState{true, true});
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(rows.GetRowState(1).selected);
  EXPECT_TRUE(rows.GetRowState(1).checked);
  EXPECT_EQ(list.currentIndex().row(), 1);  // the focus mark
  rows.SetRowState(1, RowState{true, true});
  EXPECT_EQ(changes, 1);  // nothing changed, nothing reported
  rows.SetRowState(1, RowState{false, true});
  EXPECT_EQ(changes, 2);
  EXPECT_NE(list.currentIndex().row(), 1);
}

TEST_F(ItemListWidgetTest, SelectOnlyAndFirstSelectedRow) {
  rows.SetRowState(0, RowState{true, false});
  rows.SetRowState(2, RowState{true, false});
  EXPECT_EQ(rows.FirstSelectedRow(), 0);
  changes = 0;
  rows.SelectOnly(2);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(rows.FirstSelectedRow(), 2);
  EXPECT_FALSE(rows.GetRowState(0).selected);
  rows.SelectOnly(-1);
  EXPECT_EQ(rows.FirstSelectedRow(), -1);
  rows.RemoveAllRows();
  EXPECT_EQ(rows.RowCount(), 0);
  EXPECT_EQ(rows.FirstSelectedRow(), -1);
}

TEST_F(ItemListWidgetTest, UserClicksAndCheckBoxesAreReported) {
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, RowPoint(1));
  EXPECT_EQ(rows.FirstSelectedRow(), 1);
  EXPECT_GE(changes, 1);
  const int before = changes;
  list.model()->setData(list.model()->index(2, 0), Qt::Checked, Qt::CheckStateRole);  // as a click on the box does
  EXPECT_EQ(changes, before + 1);
}

TEST_F(ItemListWidgetTest, RightClickSelectsOnlyAnUnselectedRowAndKeepsASelectedOne) {
  std::vector<QPoint> menus;
  list.contextMenuAt = [&](QPoint p) { menus.push_back(p); };
  rows.SetRowState(0, RowState{true, false});
  rows.SetRowState(2, RowState{true, false});
  QTest::mouseClick(list.viewport(), Qt::RightButton, {}, RowPoint(2));
  EXPECT_TRUE(rows.GetRowState(0).selected);
  EXPECT_TRUE(rows.GetRowState(2).selected);
  QTest::mouseClick(list.viewport(), Qt::RightButton, {}, RowPoint(1));
  EXPECT_EQ(rows.FirstSelectedRow(), 1);
  EXPECT_FALSE(rows.GetRowState(0).selected);

  const QPoint at = RowPoint(1);
  QContextMenuEvent event(QContextMenuEvent::Mouse, at, list.viewport()->mapToGlobal(at));
  QApplication::sendEvent(list.viewport(), &event);
  ASSERT_EQ(menus.size(), 1u);
  EXPECT_EQ(menus[0], list.viewport()->mapToGlobal(at));
}

TEST_F(ItemListWidgetTest, TextIsAcceptedWithCopyButFilesAndImagesAreRefused) {
  QMimeData text;
  text.setText("Line");
  QMimeData file;
  file.setUrls({QUrl::fromLocalFile("/tmp/a.twk")});
  file.setText("/tmp/a.twk");
  QMimeData image;
  image.setImageData(QImage(4, 4, QImage::Format_ARGB32));
  image.setText("picture");

  auto enter = [&](QMimeData* data, Qt::DropActions actions) {
    QDragEnterEvent event(RowPoint(1), actions, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list.viewport(), &event);
    return std::make_pair(event.isAccepted(), event.dropAction());
  };
  EXPECT_EQ(enter(&text, Qt::CopyAction | Qt::MoveAction), std::make_pair(true, Qt::CopyAction));
  EXPECT_FALSE(enter(&text, Qt::MoveAction).first);
  EXPECT_FALSE(enter(&file, Qt::CopyAction).first);
  EXPECT_FALSE(enter(&image, Qt::CopyAction).first);

  std::vector<QString> dropped;
  list.textDropped = [&](const QString& t) { dropped.push_back(t); };
  QDropEvent refused(QPointF(RowPoint(1)), Qt::CopyAction, &file, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(list.viewport(), &refused);
  QCoreApplication::processEvents();
  EXPECT_TRUE(dropped.empty());
}

TEST_F(ItemListWidgetTest, DropMarksTheTargetThenSelectsItAndReportsAfterwards) {
  QMimeData text;
  text.setText("Rect");
  QDragEnterEvent enter(RowPoint(2), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(list.viewport(), &enter);
  QDragMoveEvent move(RowPoint(2), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(list.viewport(), &move);
  EXPECT_EQ(list.dropTargetRow(), 2);

  std::vector<QString> dropped;
  list.textDropped = [&](const QString& t) { dropped.push_back(t); };
  rows.SetRowState(0, RowState{true, false});
  QDropEvent drop(QPointF(RowPoint(2)), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(list.viewport(), &drop);
  EXPECT_EQ(list.dropTargetRow(), -1);
  EXPECT_EQ(rows.FirstSelectedRow(), 2);
  EXPECT_FALSE(rows.GetRowState(0).selected);
  EXPECT_TRUE(dropped.empty());  // handled once the drag operation is over
  QCoreApplication::processEvents();
  EXPECT_EQ(dropped, std::vector<QString>{"Rect"});
}

TEST_F(ItemListWidgetTest, DragCarriesTheRowTextAndReportsADropElsewhere) {
  rows.SetRowState(1, RowState{true, true});
  list.dragStarting = [&] { return QString::fromStdString(rows.RowText(rows.FirstSelectedRow())); };
  QString carried;
  list.runDrag = [&](QMimeData* mime) { carried = mime->text(); };
  int elsewhere = 0;
  list.dragEndedElsewhere = [&] { ++elsewhere; };
  const QPoint p = RowPoint(1);
  QTest::mousePress(list.viewport(), Qt::LeftButton, {}, p);
  QTest::mouseMove(list.viewport(), p + QPoint(5, 5));
  QTest::mouseMove(list.viewport(), p + QPoint(40, 40));
  QTest::mouseRelease(list.viewport(), Qt::LeftButton, {}, p + QPoint(40, 40));
  EXPECT_EQ(carried, QString("Row1"));
  EXPECT_EQ(elsewhere, 1);
  EXPECT_TRUE(rows.GetRowState(1).selected);  // the drag's release changed nothing
}

TEST(PopupMenuTest, EntriesSeparatorsAndNumbersAllEnabled) {
  test::ScopedWorkDir dir;
  test::ScriptedDialogs dialogs;
  auto app = test::StartedApp(dialogs);
  QMenu menu;
  for (int round = 0; round < 3; ++round) BuildPopupMenu(menu, app->commands());  // rebuilt, never doubled
  QStringList shown;
  for (QAction* action : menu.actions()) {
    shown << (action->isSeparator() ? QString("|") : action->text());
    if (!action->isSeparator()) {
      EXPECT_FALSE(action->isCheckable());
      EXPECT_TRUE(action->isEnabled()) << action->text().toStdString();
    }
  }
  EXPECT_EQ(shown.join(","), QString("Hide,Show,|,Clone,Delete,|,Export PNG,Export Code,|,Save,Load"));
  std::vector<int> numbers;
  for (QAction* action : menu.actions())
    if (const int n = PopupEntryNumber(action)) numbers.push_back(n);
  EXPECT_EQ(numbers, (std::vector<int>{6, 7, 8, 9, 10, 11, 12, 13}));
}

TEST(PopupMenuTest, RightClickInAnEmptyListOpensTheMenuAtThePointer) {
  test::ScopedWorkDir dir;
  test::ScriptedDialogs dialogs;
  auto app = test::StartedApp(dialogs);
  QWidget* viewport = app->mainWindow()->lstItems->viewport();
  const QPoint at(30, 100);
  QContextMenuEvent event(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
  QApplication::sendEvent(viewport, &event);
  QMenu* menu = app->mainWindow()->popupMenu;
  ASSERT_TRUE(menu->isVisible());
  EXPECT_EQ(menu->actions().size(), 11);
  EXPECT_EQ(menu->pos(), viewport->mapToGlobal(at));
  menu->close();
}

}  // namespace
}  // namespace twk
