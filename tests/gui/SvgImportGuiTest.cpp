// SVG images through the real windows: Ctrl+O and a drop open one as a new,
// unsaved drawing, Ctrl+V pastes one from the desktop's clipboard. The editor
// must hand over what the reader makes of it whole, in the tool colour, as
// one step, and say what was left out.

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QUrl>
#include <fstream>

#include "GuiTestSupport.h"
#include "app/ImageCanvas.h"
#include "document/Colour.h"
#include "import/SvgReader.h"
#include "persist/Config.h"
#include "persist/DocumentFile.h"

namespace twk::test {
namespace {

// A line icon with one part the items cannot draw.
constexpr char kIcon[] =
    R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 24 24" fill="none" stroke="currentColor")"
    R"( stroke-width="2" stroke-linecap="round"><path d="M4 12h16M12 4v16"/><circle cx="12" cy="12" r="9"/>)"
    R"(<text x="2" y="22">A</text></svg>)";
constexpr std::int32_t kToolColour = PackRGBA(200, 30, 40, 0);

QString Q(const std::string& s) { return QString::fromStdString(s); }

class SvgImportGui : public ::testing::Test {
 protected:
  // A saved drawing of two items, and star.svg beside it.
  void SetUp() override {
    std::ofstream(svg) << kIcon;
    TWKFILE doc;
    doc.CData.append(TWKDATA{});
    ReplaceDocument(*app, std::move(doc));
    app->session().savePath() = kept;
    app->session().MarkSaved();
    app->session().state().CurRGB = kToolColour;
    before = Xml();
    read = ReadSvgText(kIcon, SvgReadOptions{WithAlpha(kToolColour, 255)});
    ASSERT_TRUE(read.ok && !read.leftOut.empty()) << read.error;
  }
  std::string Xml() { return DocumentToXml(app->session().doc()); }
  void Key(Qt::Key key) { QTest::keyClick(app->mainWindow()->imgDraw, key, Qt::ControlModifier); }
  // One message, naming what the image left out.
  void ExpectLeftOutNamed() {
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.contains(Q(read.leftOut)));
    dialogs.messages.clear();
  }
  // The image is the drawing now: new, unsaved, to be saved beside it.
  void ExpectOpened() {
    EXPECT_EQ(Xml(), DocumentToXml(read.doc));
    EXPECT_FALSE(app->session().saved());
    EXPECT_EQ(app->session().savePath(), dir.file("star.twk"));
    ExpectLeftOutNamed();
  }

  ScopedWorkDir dir;
  ScriptedDialogs dialogs;
  std::unique_ptr<App> app = StartedApp(dialogs);
  const std::string svg = dir.file("star.svg");
  const std::string kept = dir.file("kept.twk");
  std::string before;
  SvgRead read;
};

TEST_F(SvgImportGui, CtrlOOpensAnSvgAsOneUnsavedStepThatSaveProposesBesideIt) {
  // An image the reader refuses (it has no size) leaves the drawing alone.
  std::ofstream(dir.file("sizeless.svg")) << R"(<svg xmlns="http://www.w3.org/2000/svg"><path d="M1 1H5"/></svg>)";
  dialogs.paths = {Q(dir.file("sizeless.svg")), Q(svg)};
  Key(Qt::Key_O);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].title, "Load data error");
  EXPECT_EQ(Xml(), before);
  EXPECT_EQ(app->session().history().undoCount(), 0u);
  dialogs.messages.clear();
  Key(Qt::Key_O);
  ASSERT_EQ(dialogs.fileRequests[1].moreFilters.size(), 1u);
  EXPECT_EQ(dialogs.fileRequests[1].moreFilters[0].pattern, "*.svg");
  ExpectOpened();

  Key(Qt::Key_Z);  // the drawing before comes back whole, saved as it was
  EXPECT_EQ(Xml(), before);
  EXPECT_TRUE(app->session().saved());
  EXPECT_EQ(app->session().savePath(), kept);
  Key(Qt::Key_Y);
  Key(Qt::Key_S);  // cancelled: only its proposal is looked at
  EXPECT_EQ(dialogs.fileRequests.back().presetPath, Q(dir.file("star.twk")));
  app->Shutdown();
  CONFIG config;
  ASSERT_EQ(LoadConfiguration(config), ResultCode::kOk);
  EXPECT_EQ(config.RecentFile, dir.file("star.twk"));
}

TEST_F(SvgImportGui, AnSvgOrDocumentDroppedOnTheWindowOpensAndStaysWithTheFileManager) {
  ASSERT_EQ(SaveDocumentFile(kept, app->session().doc()), ResultCode::kOk);
  const auto drop = [this](const std::string& path) {
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(Q(path))});
    // A file manager offers a move as well; taking it would delete the file.
    QDragEnterEvent enter(QPoint(40, 40), Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, {});
    QApplication::sendEvent(app->mainWindow()->imgDraw, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent dropped(QPointF(40, 40), Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, {});
    QApplication::sendEvent(app->mainWindow()->imgDraw, &dropped);
    EXPECT_EQ(dropped.dropAction(), Qt::CopyAction);
    QCoreApplication::processEvents();
    return true;
  };
  std::ofstream(dir.file("picture.png")) << "\x89PNG";
  EXPECT_FALSE(drop(dir.file("picture.png")));
  ASSERT_TRUE(drop(svg));
  ExpectOpened();
  ASSERT_TRUE(drop(kept));
  EXPECT_EQ(Xml(), before);
  EXPECT_TRUE(app->session().saved());
  EXPECT_EQ(app->session().savePath(), kept);
}

TEST_F(SvgImportGui, CtrlVPastesAnSvgAsSelectedItemsAtTheFrontInOneStep) {
  TWKFILE expected = app->session().doc();
  std::vector<int> front;
  for (int i = 0; i < read.doc.CData.size(); ++i) {
    expected.CData.insert(i, *read.doc.CData.at(i));
    front.push_back(i);
  }

  for (const char* kind : {"image/svg+xml", "text/plain"}) {
    SCOPED_TRACE(kind);
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(kind), QByteArray(kIcon));
    QGuiApplication::clipboard()->setMimeData(data);
    Key(Qt::Key_V);
    EXPECT_EQ(Xml(), DocumentToXml(expected));
    EXPECT_EQ(app->session().rows().SelectedRows(), front);
    ExpectLeftOutNamed();
    Key(Qt::Key_Z);
    EXPECT_EQ(Xml(), before);
  }
}

}  // namespace
}  // namespace twk::test
