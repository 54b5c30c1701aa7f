// Entry of the GUI tests: real widgets on Qt's offscreen platform (unless a
// platform is chosen), with the working directory in a fresh temporary
// folder so that no Tarnwick.cfg lands in the source tree, and the state
// folder in another.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdlib>

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);

  QTemporaryDir workDir;
  if (!workDir.isValid() || !QDir::setCurrent(workDir.path())) {
    std::fprintf(stderr, "cannot enter a temporary working directory\n");
    return 1;
  }
  // Recovery copies of the documents the tests make land here, not in the
  // user's own state folder.
  QTemporaryDir stateDir;
  qputenv("XDG_STATE_HOME", stateDir.path().toLocal8Bit());
  const int result = RUN_ALL_TESTS();
  QDir::setCurrent(QDir::tempPath());
  return result;
}
