// The Tarnwick editor: start-up, event loop, shutdown. `tarnwick FILE.twk`
// loads that document once started (an SVG image opens as a new drawing);
// --help and --version print and end without a window; any other argument
// ends with the usage line and status 2; without a display the editor says
// so and ends with 1. A normal run ends with 0.

#include <QApplication>
#include <QFileInfo>
#include <QTimer>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/App.h"
#include "app/CommandLine.h"
#include "app/DisplayCheck.h"
#include "app/AppCommands.h"
#include "app/DocumentCommands.h"
#include "app/MainWindow.h"
#include "app/RecoveryPrompt.h"

int main(int argc, char** argv) {
  const twk::EditorCommandLine line = twk::ParseEditorCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  switch (line.action) {
    case twk::StartAction::kHelp: std::fputs(twk::EditorHelpText().c_str(), stdout); return 0;
    case twk::StartAction::kVersion: std::fputs(twk::EditorVersionText().c_str(), stdout); return 0;
    case twk::StartAction::kUsageError: std::fputs(twk::EditorUsageLine().c_str(), stderr); return 2;
    case twk::StartAction::kRun: break;
  }

  // Without a display Qt would abort with a core dump: say why and end.
  const std::string missing = twk::MissingDisplay(std::getenv("QT_QPA_PLATFORM"), std::getenv("DISPLAY"),
                                                  std::getenv("WAYLAND_DISPLAY"));
  if (!missing.empty()) {
    std::fprintf(stderr, "no display: %s\n", missing.c_str());
    return 1;
  }

  // All scaling is the program's own (layout sizes, canvas and palette), so
  // Qt must neither stretch the windows nor hide the true dots per inch.
  qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
  // The arguments are the editor's own; Qt reads none of them.
  int qtArgc = 1;
  qInstallMessageHandler(twk::EndStartWithoutDisplay);
  QApplication application(qtArgc, argv);
  qInstallMessageHandler(nullptr);
  // Qt adopts the user's locale; the C library's number conversions stay in
  // the "C" locale so that no printf or strtod anywhere writes or expects a
  // decimal comma.
  std::setlocale(LC_NUMERIC, "C");
  QApplication::setQuitOnLastWindowClosed(false);

  twk::App app(twk::MeasureScreenScale());
  // exit(), not quit(): quit() first asks every window to close and the export
  // window answers a close request with Cancel instead.
  app.mainWindow()->closing = [] { QApplication::exit(0); };
  app.Start();
  // Once the event loop runs, so the questions and messages show over the
  // window: first the drawings left unsaved by editors that ended, then
  // the document named on the command line, as another step.
  const QString path =
      line.file.empty() ? QString() : QFileInfo(QString::fromLocal8Bit(line.file.c_str())).absoluteFilePath();
  QTimer::singleShot(0, [&app, path] {
    twk::OfferAbandonedDrawings(twk::AskingOverMainWindow(app), app.recovery(), app);
    if (!path.isEmpty()) twk::LoadDocumentFromPath(twk::DocumentFilePartsOf(app), path);
  });
  QApplication::exec();
  app.Shutdown();
  return 0;
}
