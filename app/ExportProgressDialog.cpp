#include "app/ExportProgressDialog.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>
#include <exception>
#include <memory>
#include <thread>

#include "export/ExportPlan.h"

namespace twk {

namespace {

constexpr int kQuietMs = 500;  // an export this short shows no dialog
constexpr int kPollMs = 40;

QString ProgressText(std::size_t done, std::size_t total) {
  return QStringLiteral("Exporting: %1 of %2 files written").arg(done).arg(total);
}

// While the export runs the editor's windows stay open: the export reads
// the document they own. A window's close button is refused until the
// export is over (Cancel ends it sooner).
class KeepWindowsOpen : public QObject {
 public:
  KeepWindowsOpen() { qApp->installEventFilter(this); }
  ~KeepWindowsOpen() override { qApp->removeEventFilter(this); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Close || !watched->isWidgetType()) return false;
    if (qobject_cast<QProgressDialog*>(watched)) return false;
    event->ignore();
    return true;
  }
};

}  // namespace

ExportReport RunExportWithProgress(QWidget* owner, ExportRequest request) {
  ExportProgress progress;
  request.progress = &progress;
  ExportReport report;
  std::exception_ptr failure;
  std::atomic<bool> finished{false};
  std::thread worker([&] {
    try {
      report = RunExport(request);
    } catch (...) {  // whatever it is, it is thrown again on this dialog's thread below
      failure = std::current_exception();
    }
    finished.store(true);
  });

  const KeepWindowsOpen keepOpen;
  QEventLoop loop;
  std::unique_ptr<QProgressDialog> dialog;
  QElapsedTimer clock;
  clock.start();
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (finished.load()) return loop.quit();
    if (!dialog && clock.elapsed() >= kQuietMs) {
      dialog = std::make_unique<QProgressDialog>(owner);
      dialog->setObjectName(QString::fromLatin1(kExportProgressName));
      dialog->setWindowTitle(QString::fromLatin1(kExportTitle));
      dialog->setWindowModality(Qt::ApplicationModal);
      dialog->setAutoClose(false);
      dialog->setAutoReset(false);
      dialog->setMinimumDuration(0);
      // Cancel (the button, Esc or the close button) keeps the dialog up,
      // busy, until the files in progress are done: the owner stays
      // disabled until then, and the dialog says why.
      QObject::disconnect(dialog.get(), &QProgressDialog::canceled, dialog.get(), &QProgressDialog::cancel);
      const auto stop = [&progress, &dialog] {
        progress.RequestStop();
        dialog->setLabelText(QStringLiteral("Stopping after the files in progress..."));
        dialog->setRange(0, 0);
        dialog->show();
      };
      QObject::connect(dialog.get(), &QProgressDialog::canceled, stop);
      QObject::connect(dialog.get(), &QDialog::rejected, stop);
      // The owner is disabled while the export runs; a window owned by it
      // must be enabled on its own to take the Cancel.
      dialog->setEnabled(true);
      dialog->show();
    }
    if (dialog && !progress.StopRequested()) {
      dialog->setMaximum(static_cast<int>(progress.total()));
      dialog->setValue(static_cast<int>(progress.done()));
      dialog->setLabelText(ProgressText(progress.done(), progress.total()));
    }
  });
  poll.start(kPollMs);
  loop.exec();
  worker.join();
  dialog.reset();
  if (failure) std::rethrow_exception(failure);
  return report;
}

}  // namespace twk
