#pragma once
// wndExportPNG: the export resolution list and the "Other sizes" field above
// the Export/Cancel pair. A tool window owned by the main window, created
// hidden; its own close button and Esc ask `closing` (Cancel) instead of
// closing by itself.

#include <QString>
#include <QWidget>
#include <functional>

#include "app/ScreenScale.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QSplitter;
class QTreeWidget;

namespace twk {

class ExportWindow : public QWidget {
  Q_OBJECT

 public:
  ExportWindow(const LayoutSizes& sizes, QWidget* owner);

  QTreeWidget* lstExportRes = nullptr;
  // Under the size list: sizes off the list, as a comma list (20, 22, 24).
  QLineEdit* txtOtherSizes = nullptr;
  // Under the size list: raster exports and the Preview fit edges to pixels.
  QCheckBox* chkFitEdges = nullptr;
  QSplitter* splitter1 = nullptr;
  QPushButton* cmdExport = nullptr;
  QPushButton* cmdExportAbort = nullptr;

  // The title-bar close button was used, or Esc pressed.
  std::function<void()> closing;

  // Shows the window centred on its owner and disables the owner, so the
  // main window takes no input while the export window is open.
  void Open();
  // Hides the window and gives the owner back, enabled and active.
  void Close();
  bool isOpen() const { return open_; }

  // The path last chosen for an export, offered again next time.
  const QString& lastPath() const { return lastPath_; }
  void rememberPath(const QString& path) { lastPath_ = path; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  bool open_ = false;
  QString lastPath_;
};

}  // namespace twk
