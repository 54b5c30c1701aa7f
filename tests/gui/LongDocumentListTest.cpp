// Listing a loaded document: every row once, and its changes reported as one.

#include <gtest/gtest.h>

#include <QFile>

#include "editor/ListFollower.h"
#include "GuiTestSupport.h"
#include "app/AppCommands.h"
#include "app/DocumentCommands.h"
#include "app/ItemListWidget.h"

namespace twk {
namespace {

TEST(LongDocumentList, ListingReportsOneChangeForTheWholeDocument) {
  test::ScopedWorkDir dir;
  test::ScriptedDialogs dialogs;
  auto app = test::StartedApp(dialogs);
  TWKFILE doc;
  TWKDATA item;
  item.Type = kRect;
  for (int i = 0; i < 3000; ++i) {
    item.Visible = i % 3 == 0 ? 0 : 1;
    doc.CData.append(item);
  }
  ItemList& rows = app->mainWindow()->lstItems->items();
  int reports = 0;
  ItemListFollower counter(rows, [&](const ListChange& change) { reports += change.checks || change.selection; });

  twk::test::ReplaceDocument(*app, std::move(doc));

  EXPECT_EQ(reports, 1);
  ASSERT_EQ(rows.RowCount(), 3000);
  for (int i : {0, 1, 2, 2999}) {
    EXPECT_EQ(rows.RowItem(i), app->session().doc().CData.at(i));
    EXPECT_EQ(rows.GetRowState(i).checked, i % 3 != 0) << i;
    EXPECT_EQ(rows.GetRowState(i).selected, i == 0) << i;
  }

  // Outside a batch every change is reported on its own again.
  rows.SetRowState(1, RowState{true, false});
  rows.SetRowState(2, RowState{true, true});
  EXPECT_EQ(reports, 3);
}

TEST(LongDocumentList, TheTenThousandItemIconLoadsIntoTheList) {
  test::ScopedWorkDir dir;
  const QString copy = dir.path() + "/icon-10000.twk";
  ASSERT_TRUE(QFile::copy(TARNWICK_BENCH_DATA_DIR "/icon-10000.twk", copy));
  QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
  test::ScriptedDialogs dialogs;
  auto app = test::StartedApp(dialogs);
  dialogs.paths = {copy};

  LoadDocumentCommand(DocumentFilePartsOf(*app));

  EXPECT_TRUE(dialogs.messages.empty());
  const ItemList& rows = app->mainWindow()->lstItems->items();
  ASSERT_EQ(app->session().doc().CData.size(), 10000);
  ASSERT_EQ(rows.RowCount(), 10000);
  for (int i = 0; i < 10000; i += 997) {
    EXPECT_EQ(rows.RowItem(i), app->session().doc().CData.at(i));
    EXPECT_EQ(rows.GetRowState(i).checked, app->session().doc().CData.at(i)->Visible != 0);
  }
  EXPECT_EQ(rows.FirstSelectedRow(), 0);
}

}  // namespace
}  // namespace twk
