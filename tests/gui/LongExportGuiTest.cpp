// The export window's size list and a long export: Ctrl+A and Ctrl+Shift+A
// check every size or none; an export that takes a while shows its progress,
// and Cancel keeps the files written and replaces no other.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "GuiTestSupport.h"
#include "app/AppCommands.h"
#include "app/ExportCommands.h"
#include "app/ExportProgressDialog.h"
#include "document/Colour.h"
#include "export/ExportTestSupport.h"
#include "support/SlowDrawings.h"

namespace twk {
namespace {

using test::ScopedWorkDir;
using test::ScriptedDialogs;

std::vector<Qt::CheckState> Checks(const QTreeWidget& list) {
  std::vector<Qt::CheckState> states;
  for (int r = 0; r < list.topLevelItemCount(); ++r) states.push_back(list.topLevelItem(r)->checkState(0));
  return states;
}

TEST(ExportSizeList, CtrlAChecksEverySizeCtrlShiftANoneAndThePopupOffersBoth) {
  ScopedWorkDir dir;
  ScriptedDialogs dialogs;
  auto app = test::StartedApp(dialogs);
  OpenExportWindow(ExportPartsOf(*app));
  QTreeWidget& list = *app->exportWindow()->lstExportRes;
  list.setFocus();
  QTest::keyClick(&list, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(Checks(list), std::vector<Qt::CheckState>(12, Qt::Checked));
  QTest::keyClick(&list, Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Checks(list), std::vector<Qt::CheckState>(12, Qt::Unchecked));
  EXPECT_EQ(list.contextMenuPolicy(), Qt::ActionsContextMenu);
  ASSERT_EQ(list.actions().size(), 2);
  EXPECT_EQ(list.actions()[0]->text(), "Check all");
  EXPECT_EQ(list.actions()[1]->text(), "Check none");
  list.actions()[0]->trigger();
  EXPECT_EQ(Checks(list), std::vector<Qt::CheckState>(12, Qt::Checked));
}

TEST(LongExport, CancelKeepsTheFilesWrittenAndReplacesNoOther) {
  ScopedWorkDir dir;
  ScriptedDialogs dialogs;
  auto app = test::StartedApp(dialogs);
  twk::test::ReplaceDocument(*app, test::SlowToExport());
  const std::vector<int> edges = {16, 32, 48, 64, 96, 128, 160, 192, 256, 512, 768, 1024};
  auto fileOf = [&](int edge) {
    return dir.path() + "/star." + QString::number(edge) + "x" + QString::number(edge) + ".png";
  };
  for (int edge : edges) {
    QFile old(fileOf(edge));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
  }
  OpenExportWindow(ExportPartsOf(*app));
  for (int r = 0; r < app->exportWindow()->lstExportRes->topLevelItemCount(); ++r)
    app->exportWindow()->lstExportRes->topLevelItem(r)->setCheckState(0, Qt::Checked);
  dialogs.paths = {dir.path() + "/star.png"};

  // Cancel as soon as the progress dialog shows, after trying to close the
  // main window.
  QString shownText;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    QProgressDialog* progress = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets())
      if (widget->objectName() == kExportProgressName) progress = qobject_cast<QProgressDialog*>(widget);
    if (!progress || !progress->isVisible()) return;
    shownText = progress->labelText();
    watch.stop();
    // The main window stays while the export reads its document.
    app->mainWindow()->close();
    EXPECT_TRUE(app->mainWindow()->isVisible());
    QPushButton* cancel = progress->findChild<QPushButton*>();
    ASSERT_NE(cancel, nullptr);
    QTest::mouseClick(cancel, Qt::LeftButton);
    // Until the files in progress are done the dialog says it is stopping.
    EXPECT_TRUE(progress->isVisible());
    EXPECT_EQ(progress->labelText(), "Stopping after the files in progress...");
  });
  watch.start(20);
  QTest::mouseClick(app->exportWindow()->cmdExport, Qt::LeftButton);

  EXPECT_TRUE(shownText.startsWith("Exporting: ")) << shownText.toStdString();
  ASSERT_EQ(dialogs.messages.size(), 1u);
  const QStringList lines = dialogs.messages[0].text.split("\r\n");
  EXPECT_EQ(lines[0], "The export was cancelled. The files written are:");
  const QStringList written = lines.mid(1);
  EXPECT_FALSE(written.contains(fileOf(16)));  // the last file was never started
  for (int edge : edges) {
    const QString path = fileOf(edge);
    const auto bytes = testing::FileBytes(path.toStdString());
    if (written.contains(path)) {
      EXPECT_EQ(testing::ReadPngFile(path.toStdString()).width, edge) << edge;
    } else {
      EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "old") << edge;
    }
  }
  // Nothing else: no file half-written beside its target.
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), static_cast<qsizetype>(edges.size()));
  EXPECT_FALSE(app->exportWindowOpen());
}

}  // namespace
}  // namespace twk
