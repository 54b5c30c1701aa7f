// "Fit edges to pixels" in the export window: off at first; on, the Preview
// shows the fitted pictures with their crispness, the export writes them,
// and the configuration keeps the choice. With it on, the Preview keeps up
// with a key on the drawings that cost fitting and the figure the most, and
// a close ends its work at once.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "GuiTestSupport.h"
#include "app/AppCommands.h"
#include "app/ExportCommands.h"
#include "app/ImageConversion.h"
#include "app/ImageCanvas.h"
#include "app/ItemListWidget.h"
#include "app/PreviewView.h"
#include "app/PreviewWindow.h"
#include "editor/KeyNumbers.h"
#include "export/ExportTestSupport.h"
#include "fit/FitToPixels.h"
#include "persist/DocumentFile.h"
#include "render/PngWriter.h"
#include "render/SceneRenderer.h"
#include "tests/fit/FitDrawings.h"

namespace twk {
namespace {

// The picture of kPreviewSizes[1] (24 px) a fresh composer makes of `doc`.
QImage Preview24(const TWKFILE& doc) {
  PreviewComposer fresh;
  fresh.Update(doc);
  return ToQImage(*fresh.Picture(1, PreviewGround::kLight));
}

TEST(FitEdgesGui, TheCheckBoxFitsThePreviewAndTheExportAndIsRemembered) {
  test::ScopedWorkDir dir;
  test::ScriptedDialogs dialogs;
  auto app = test::StartedApp(dialogs);
  TWKFILE doc;
  ASSERT_EQ(LoadDocumentFile(TARNWICK_TEST_DATA_DIR "/fit/fit-sliders.twk", doc, LoadAccess::kShared), ResultCode::kOk);
  const TWKFILE drawn = doc;
  app->LoadDocument(std::move(doc), "");
  app->DispatchCommand(keys::kP);
  PreviewWindow* preview = app->mainWindow()->preview;
  ASSERT_FALSE(app->exportWindow()->chkFitEdges->isChecked());
  EXPECT_EQ(preview->picture(1, PreviewGround::kLight), Preview24(drawn));
  EXPECT_NE(preview->figureText(1), QStringLiteral("M 0.00"));
  EXPECT_TRUE(preview->figureText(1).startsWith(QStringLiteral("M ")));

  OpenExportWindow(ExportPartsOf(*app));
  QTest::mouseClick(app->exportWindow()->chkFitEdges, Qt::LeftButton);
  EXPECT_EQ(app->config().FitEdges, 1);
  EXPECT_EQ(preview->picture(1, PreviewGround::kLight), Preview24(FitToPixels(drawn, 24)));
  for (int size = 0; size < 5; ++size) EXPECT_EQ(preview->figureText(size), QStringLiteral("M 0.00")) << size;

  QTreeWidget* list = app->exportWindow()->lstExportRes;
  for (int r = 0; r < list->topLevelItemCount(); ++r) list->topLevelItem(r)->setCheckState(0, r == 0 ? Qt::Checked : Qt::Unchecked);
  dialogs.paths.push_back(dir.path() + "/sliders.png");
  QTest::mouseClick(app->exportWindow()->cmdExport, Qt::LeftButton);
  const std::vector<std::uint8_t> fitted =
      EncodePng(*RenderDocument(FitToPixels(drawn, 16), 1, 1, RenderArea::kFull));
  const std::vector<unsigned char> written = testing::FileBytes(dir.file("sliders.16x16.png"));
  EXPECT_EQ(std::vector<std::uint8_t>(written.begin(), written.end()), fitted);
}

TEST(FitEdgesGui, ThePreviewAnswersAKeyAtOnceAndACloseEndsItsWork) {
  test::ScopedWorkDir dir;
  test::ScriptedDialogs dialogs;
  auto app = test::StartedApp(dialogs);
  app->exportWindow()->chkFitEdges->setChecked(true);
  app->DispatchCommand(keys::kP);
  PreviewWindow* preview = app->mainWindow()->preview;
  ImageCanvas* canvas = app->mainWindow()->imgDraw;
  // Many items sharing one edge, and one item reaching far past the picture.
  for (TWKFILE doc : {test::IdenticalLines(3000), test::FarLine(1.5e8f)}) {
    const int count = doc.CData.size();
    twk::test::ReplaceDocument(*app, std::move(doc));
    app->mainWindow()->lstItems->items().SelectOnly(-1);  // a key moves every item
    ASSERT_TRUE(app->preview().Settle());
    // The key is answered at once; the Preview's worker, at the lowest
    // priority, follows within a few seconds even on a loaded machine
    // (fitting these drawings took minutes when its cost grew with the cube
    // of the items sharing an edge).
    QElapsedTimer clock;
    clock.start();
    QTest::keyClick(canvas, Qt::Key_Down);
    EXPECT_LT(clock.elapsed(), 500) << count << " items";
    ASSERT_TRUE(app->preview().Settle());
    EXPECT_LT(clock.elapsed(), 5000) << count << " items";
    EXPECT_EQ(preview->picture(1, PreviewGround::kLight), Preview24(FitToPixels(app->session().doc(), 24))) << count;
  }

  twk::test::ReplaceDocument(*app, test::IdenticalLines(5000));
  app->mainWindow()->lstItems->items().SelectOnly(-1);
  QTest::keyClick(canvas, Qt::Key_Up);
  QElapsedTimer clock;
  clock.start();
  app->mainWindow()->close();
  app->Shutdown();
  app.reset();
  EXPECT_LT(clock.elapsed(), 1000);
}

}  // namespace
}  // namespace twk
