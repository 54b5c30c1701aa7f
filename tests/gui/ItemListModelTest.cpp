// The item list's Qt model under Qt's own model checker, while the real
// commands insert, remove, move and refill rows: every signal comes in the
// order Qt requires and the rows read back as the model promised.

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>

#include "GuiTestSupport.h"
#include "app/ItemListWidget.h"
#include "editor/KeyNumbers.h"

namespace twk::test {
namespace {

TWKFILE Items(int count) {
  TWKFILE doc;
  for (int i = 0; i < count; ++i) {
    TWKDATA item;
    item.Type = static_cast<std::uint8_t>(i % 4);  // neighbours read differently
    item.Visible = i % 3 ? 1 : 0;
    item.X4 = item.Y4 = 4;
    doc.CData.append(item);
  }
  return doc;
}

// Every other row of `count`, from row 1: one run each.
std::vector<RowRun> EveryOther(int count) {
  std::vector<RowRun> runs;
  for (int row = 1; row < count; row += 2) runs.emplace_back(row, row);
  return runs;
}

TEST(ItemListModelTest, QtsCheckerFindsNothingWhileCommandsChangeTheRows) {
  ScopedWorkDir dir;
  ScriptedDialogs dialogs;
  std::unique_ptr<App> app = StartedApp(dialogs);
  ItemListWidget* list = app->mainWindow()->lstItems;
  // Fatal: a broken promise ends the test program.
  QAbstractItemModelTester checker(list->model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
  ItemList& rows = app->session().rows();
  ReplaceDocument(*app, Items(10));  // a refill
  ASSERT_EQ(list->model()->rowCount(), 10);

  rows.Select({{2, 3}, {6, 6}}, 2, false);
  app->DispatchCommand(keys::kClone);   // rows in at the front
  app->DispatchCommand(keys::kDelete);  // and out again
  app->DispatchCommand(keys::kUndo);
  app->DispatchCommand(keys::kRedo);
  rows.Select({{1, 1}, {4, 5}, {8, 8}}, 1, false);
  app->DispatchCommand(keys::kDelete);  // three pieces
  app->DispatchCommand(keys::kUndo);
  EXPECT_EQ(list->model()->rowCount(), 10);

  // A row dragged to another place: out and in again.
  rows.SelectOnly(1);
  const QString carried = list->dragStarting();
  rows.SelectOnly(7);
  list->textDropped(carried);
  app->DispatchCommand(keys::kUndo);

  // More pieces than worth following: one refill.
  ReplaceDocument(*app, Items(200));
  rows.Select(EveryOther(200), 1, false);
  app->DispatchCommand(keys::kDelete);
  EXPECT_EQ(list->model()->rowCount(), 100);
  app->DispatchCommand(keys::kUndo);
  ASSERT_EQ(list->model()->rowCount(), 200);
  for (int row : {0, 1, 198, 199}) {
    EXPECT_EQ(list->model()->index(row, 0).data().toString().toStdString(), rows.RowText(row));
  }
}

}  // namespace
}  // namespace twk::test
