// The Tarnwick editor: start-up, event loop, shutdown. No arguments are read
// and the exit code is always 0.

#include <QApplication>
#include <clocale>

#include "app/App.h"
#include "app/MainWindow.h"

int main(int argc, char** argv) {
  // All scaling is the program's own (layout sizes, canvas and palette), so
  // Qt must neither stretch the windows nor hide the true dots per inch.
  qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
  QApplication application(argc, argv);
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
  QApplication::exec();
  app.Shutdown();
  return 0;
}
