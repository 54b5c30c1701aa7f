#pragma once
// wndExportPNG: the export resolution list above the Export/Cancel pair. A
// tool window owned by the main window, created hidden; its own close button
// asks `closing` (Cancel) instead of closing by itself.

#include <QWidget>
#include <functional>

#include "app/ScreenScale.h"

class QPushButton;
class QSplitter;
class QTreeWidget;

namespace twk {

class ExportWindow : public QWidget {
  Q_OBJECT

 public:
  ExportWindow(const LayoutSizes& sizes, QWidget* owner);

  QTreeWidget* lstExportRes = nullptr;
  QSplitter* splitter1 = nullptr;
  QPushButton* cmdExport = nullptr;
  QPushButton* cmdExportAbort = nullptr;

  // The title-bar close button was used.
  std::function<void()> closing;

 protected:
  void closeEvent(QCloseEvent* event) override;
};

}  // namespace twk
