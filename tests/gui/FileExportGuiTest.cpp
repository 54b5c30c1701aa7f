// The editor's one-file exports and its command line, route by route:
// "Export Code" from the popup menu, the export window's icon filters, a
// document named on the command line, and the program's own arguments.

#include <gtest/gtest.h>

#include <QFile>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <thread>

#include "GuiTestSupport.h"
#include "app/AppCommands.h"
#include "app/CommandLine.h"
#include "app/DisplayCheck.h"
#include "app/DocumentCommands.h"
#include "app/ExportCommands.h"
#include "app/PopupMenu.h"
#include "document/Colour.h"
#include "export/ExportTestSupport.h"
#include "export/IconExport.h"
#include "export/IconSetExport.h"
#include "export/SvgDocument.h"
#include "persist/DocumentFile.h"

namespace twk {
namespace {

using test::ScopedWorkDir;
using test::ScriptedDialogs;

TWKFILE RedBoxDocument() {
  TWKFILE doc;
  TWKDATA item;
  item.Type = kRect;
  item.DrawMethod = kFill;
  item.Visible = 1;
  item.DrawRGBA = PackRGBA(255, 0, 0, 255);
  item.X1 = 2, item.Y1 = 3, item.X4 = 6, item.Y4 = 8;
  doc.CData.append(item);
  return doc;
}

std::string Bytes(const std::string& path) {
  const auto bytes = testing::FileBytes(path);
  return {bytes.begin(), bytes.end()};
}

TEST(ExportCode, ThePopupEntryWritesTheDrawingAsSvg) {
  ScopedWorkDir dir;
  ScriptedDialogs dialogs;
  auto app = test::StartedApp(dialogs);
  twk::test::ReplaceDocument(*app, RedBoxDocument());
  const QString chosen = dir.path() + "/star.png";
  dialogs.paths = {chosen, dir.path() + "/missing/star"};

  app->PopupCommand(11);
  ASSERT_EQ(dialogs.fileRequests.size(), 1u);
  const FileDialogRequest& request = dialogs.fileRequests[0];
  EXPECT_EQ(request.title, "Export Code");
  EXPECT_EQ(request.filterName + "|" + request.filterPattern, "SVG Image|*.svg");
  EXPECT_TRUE(request.moreFilters.empty());
  EXPECT_TRUE(request.presetPath.isEmpty());
  EXPECT_EQ(Bytes(dir.file("star.svg")), DocumentToSvg(app->session().doc(), 16));
  EXPECT_FALSE(QFile::exists(chosen));
  EXPECT_TRUE(dialogs.messages.empty());

  // The next run proposes the last path; a folder that does not exist fails
  // with the path in the message.
  app->PopupCommand(11);
  EXPECT_EQ(dialogs.fileRequests[1].presetPath, chosen);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].title, "Export Code");
  EXPECT_EQ(dialogs.messages[0].text,
            "Something wrong with following files:\r\n\r\n" + dir.path() + "/missing/star.svg\r\n");
  EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::kError);
}

TEST(ExportWindow, EachIconFilterWritesOneFileAndNamesWhatItLeftOut) {
  const struct {
    int filter;
    ExportFormat format;
    const char* file;
    int held;
    const char* leftOut;
  } cases[] = {
      {1, ExportFormat::kIco, "star.ico", (1 << 0) | (1 << 2), "512x512"},
      {2, ExportFormat::kIcns, "star.icns", (1 << 0) | (1 << 9), "48x48"},
  };
  for (const auto& c : cases) {
    ScopedWorkDir dir;
    ScriptedDialogs dialogs;
    auto app = test::StartedApp(dialogs);
    twk::test::ReplaceDocument(*app, RedBoxDocument());
    OpenExportWindow(ExportPartsOf(*app));
    QTreeWidget& list = *app->exportWindow()->lstExportRes;
    for (int row : {0, 2, 9}) list.topLevelItem(row)->setCheckState(0, Qt::Checked);  // 16, 48, 512
    dialogs.paths = {dir.path() + "/star"};  // no extension: the chosen type decides
    dialogs.filters = {c.filter};
    QTest::mouseClick(app->exportWindow()->cmdExport, Qt::LeftButton);

    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    const FileDialogRequest& request = dialogs.fileRequests[0];
    EXPECT_EQ(request.filterName + "|" + request.filterPattern, "32-bit PNG Image|*.png");
    ASSERT_EQ(request.moreFilters.size(), 3u);
    EXPECT_EQ(request.moreFilters[0].name + "|" + request.moreFilters[0].pattern, "Windows Icon|*.ico");
    EXPECT_EQ(request.moreFilters[1].name + "|" + request.moreFilters[1].pattern, "Apple Icon Image|*.icns");

    ASSERT_TRUE(ExportIconFile(app->session().doc(), c.format, dir.file("expected"), SizeSet::FromListMask(c.held)));
    EXPECT_EQ(Bytes(dir.file(c.file)), Bytes(dir.file("expected"))) << c.file;
    EXPECT_FALSE(QFile::exists(dir.path() + "/star.16x16.png"));
    EXPECT_EQ(app->config().RecentExport, (1 << 0) | (1 << 2) | (1 << 9));
    ASSERT_EQ(dialogs.messages.size(), 1u) << c.file;
    EXPECT_EQ(dialogs.messages[0].title, "Export PNG");
    EXPECT_EQ(dialogs.messages[0].text,
              QString("This file type cannot hold these sizes; they were left out:\r\n\r\n") + c.leftOut);
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::kInformation);
    EXPECT_FALSE(app->exportWindowOpen());
  }
}

TEST(ExportWindow, TheIconSetsTypeWritesEverySetIntoTheFolderTyped) {
  ScopedWorkDir dir;
  ScriptedDialogs dialogs;
  auto app = test::StartedApp(dialogs);
  twk::test::ReplaceDocument(*app, RedBoxDocument());
  app->session().savePath() = dir.file("star.twk");  // the drawing's name in the sets
  OpenExportWindow(ExportPartsOf(*app));
  for (int r = 0; r < app->exportWindow()->lstExportRes->topLevelItemCount(); ++r)  // no size: the sets need none
    app->exportWindow()->lstExportRes->topLevelItem(r)->setCheckState(0, Qt::Unchecked);
  dialogs.paths = {dir.path() + "/icons"};  // made, inside the existing folder
  dialogs.filters = {3};
  dialogs.colours = {QColor(0x20, 0x40, 0x80)};  // the ground colour
  QTest::mouseClick(app->exportWindow()->cmdExport, Qt::LeftButton);

  ASSERT_EQ(dialogs.fileRequests.size(), 1u);
  const DialogFilter& type = dialogs.fileRequests[0].moreFilters.at(2);
  EXPECT_EQ(type.name + " (" + type.pattern + ")", "Icon sets for every platform (folder)");
  EXPECT_TRUE(type.folder);
  // Asked once, from white, and remembered.
  EXPECT_EQ(dialogs.colourRequests, std::vector<QColor>{QColor(255, 255, 255)});
  const std::int32_t ground = PackRGBA(0x20, 0x40, 0x80, 255);
  EXPECT_EQ(app->config().IconGround, ground);

  // The same tree, byte for byte, as the sets written by the core.
  const std::vector<SetFileResult> expected =
      WriteIconSets(app->session().doc(), kAllIconSets, dir.file("expected"), "star", nullptr, EdgeFit::kAsDrawn, ground);
  for (const SetFileResult& file : expected) {
    EXPECT_EQ(file.outcome, SetFileOutcome::kWritten);
    EXPECT_EQ(Bytes(dir.file(("icons/" + file.file.path).c_str())), Bytes(file.path)) << file.file.path;
  }
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, QString("The icon sets were written: %1 files in\r\n\r\n").arg(expected.size()) +
                                          dir.path() + "/icons");
  EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::kInformation);
  EXPECT_FALSE(app->exportWindowOpen());

  // The next time it starts from the colour chosen; cancelled, nothing is written.
  OpenExportWindow(ExportPartsOf(*app));
  dialogs.paths = {dir.path() + "/again"};
  dialogs.filters = {3};
  dialogs.colours = {QColor()};
  QTest::mouseClick(app->exportWindow()->cmdExport, Qt::LeftButton);
  EXPECT_EQ(dialogs.colourRequests.back(), QColor(0x20, 0x40, 0x80));
  EXPECT_FALSE(QFile::exists(dir.path() + "/again"));
  EXPECT_EQ(dialogs.messages.size(), 1u);
  EXPECT_FALSE(app->exportWindowOpen());
}

TEST(CommandLine, ADocumentNamedOnTheCommandLineLoadsAsLoadWould) {
  ScopedWorkDir dir;
  ScriptedDialogs dialogs;
  auto app = test::StartedApp(dialogs);
  const std::string path = dir.file("star.twk");
  ASSERT_EQ(SaveDocumentFile(path, RedBoxDocument()), ResultCode::kOk);

  LoadDocumentFromPath(DocumentFilePartsOf(*app), QString::fromStdString(path));
  EXPECT_EQ(app->session().doc().CData.size(), 1);
  EXPECT_EQ(*app->session().doc().CData.at(0), *RedBoxDocument().CData.at(0));
  EXPECT_EQ(app->session().savePath(), path);
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_TRUE(dialogs.fileRequests.empty());

  // A read-only document is refused, as Load refuses it.
  QFile::setPermissions(QString::fromStdString(path), QFile::ReadOwner);
  LoadDocumentFromPath(DocumentFilePartsOf(*app), QString::fromStdString(path));
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, "Can't read file:\r\n" + QString::fromStdString(path));
  EXPECT_EQ(app->session().doc().CData.size(), 0);
}

TEST(CommandLine, ArgumentsAreAFileHelpVersionOrAUsageError) {
  using A = StartAction;
  const struct {
    std::vector<std::string> args;
    EditorCommandLine parsed;
  } cases[] = {
      {{}, {A::kRun, ""}},
      {{"star.twk"}, {A::kRun, "star.twk"}},
      {{"--", "-odd.twk"}, {A::kRun, "-odd.twk"}},
      {{"--help"}, {A::kHelp, ""}},
      {{"star.twk", "-h"}, {A::kHelp, ""}},
      {{"--version"}, {A::kVersion, ""}},
      {{"a.twk", "b.twk"}, {A::kUsageError, ""}},
      {{"--bogus"}, {A::kUsageError, ""}},
      {{"-platform", "xcb"}, {A::kUsageError, ""}},
      {{""}, {A::kUsageError, ""}},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseEditorCommandLine(c.args), c.parsed) << ::testing::PrintToString(c.args);
}

TEST(CommandLine, ADisplayIsMissingOnlyWhereTheDesktopNeedsOne) {
  const struct {
    const char* platform;
    const char* display;
    const char* wayland;
    std::string missing;
  } cases[] = {
      {"offscreen", nullptr, nullptr, ""},
      {nullptr, nullptr, "wayland-0", ""},
      {"wayland", nullptr, nullptr, "WAYLAND_DISPLAY is not set"},
      {"xcb", "", "wayland-0", "WAYLAND_DISPLAY is set but QT_QPA_PLATFORM asks for X"},
      {"", ":98765", nullptr, "cannot open display :98765"},
      {nullptr, "far.example:0", nullptr, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(MissingDisplay(c.platform, c.display, c.wayland), c.missing) << c.missing;
}

TEST(CommandLine, TheProgramPrintsAndEndsWithoutAWindow) {
  ScopedWorkDir dir;
  const std::string editor = std::string("'") + TARNWICK_EDITOR_PATH + "'";
  // No display at all: help, version and usage errors need none.
  const std::string noDisplay = "env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb ";
  const struct {
    const char* args;
    int status;
    std::string out;
  } cases[] = {
      {"--help", 0, EditorHelpText()},
      {"--version", 0, "tarnwick " TARNWICK_VERSION_TEXT "\n"},
      {"a.twk b.twk 2>&1", 2, EditorUsageLine()},
      {"--bogus 2>&1", 2, EditorUsageLine()},
      // Starting the editor needs one: it says so in one line.
      {"2>&1", 1, "no display: DISPLAY is not set\n"},
      {"star.twk 2>&1", 1, "no display: DISPLAY is not set\n"},
  };
  for (const auto& c : cases) {
    const testing::ToolRun run = testing::RunTool(noDisplay + editor + " " + c.args);
    EXPECT_EQ(run.status, c.status) << c.args;
    EXPECT_EQ(run.out, c.out) << c.args;
  }
}

TEST(CommandLine, ADisplayThatRefusesQtEndsTheStartWithOneLineNotAnAbort) {
  ScopedWorkDir dir;
  // A display socket that closes every connection at once: it answers the
  // editor's own check, but Qt cannot connect to it.
  ::mkdir("/tmp/.X11-unix", 01777);
  int number = 900;
  while (std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(number))) ++number;
  const std::string path = "/tmp/.X11-unix/X" + std::to_string(number);
  const int listener = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.c_str());
  ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(::listen(listener, 8), 0);
  std::thread closer([listener] {
    for (int fd; (fd = ::accept(listener, nullptr, nullptr)) >= 0;) ::close(fd);
  });
  const testing::ToolRun run = testing::RunTool("env -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb DISPLAY=:" +
                                                std::to_string(number) + " '" + TARNWICK_EDITOR_PATH + "' 2>&1");
  ::shutdown(listener, SHUT_RDWR);
  closer.join();
  ::close(listener);
  ::unlink(path.c_str());
  EXPECT_EQ(run.status, 1) << run.out;
  const std::string said = "no display: display :" + std::to_string(number) + " did not let the editor connect\n";
  EXPECT_TRUE(run.out.size() > said.size() && run.out.substr(run.out.size() - said.size()) == said) << run.out;
}

}  // namespace
}  // namespace twk
