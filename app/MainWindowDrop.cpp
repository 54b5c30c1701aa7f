// wndMain's side of files dropped from a file manager: one local file named
// like a document or an SVG image is taken, as a copy (the file manager never
// moves it away); the canvas and the item list hand such drags on to the
// window. What the file holds is told when it is opened.

#include <QDragEnterEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

#include "app/MainWindow.h"

namespace twk {
namespace {

// The one local *.twk or *.svg file `data` carries; empty otherwise.
QString DroppedFile(const QMimeData* data) {
  if (!data || !data->hasUrls() || data->urls().size() != 1) return {};
  const QUrl url = data->urls().front();
  if (!url.isLocalFile()) return {};
  const QString path = url.toLocalFile();
  const bool named = path.endsWith(QStringLiteral(".twk"), Qt::CaseInsensitive) ||
                     path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive);
  return named ? path : QString();
}

// Takes the drag as a copy, or as a link where the source offers no copy;
// never as a move, which would have the source delete the file.
bool TakeAsCopy(QDropEvent* event) {
  if (DroppedFile(event->mimeData()).isEmpty()) return false;
  const Qt::DropActions offered = event->possibleActions();
  if (offered & Qt::CopyAction)
    event->setDropAction(Qt::CopyAction);
  else if (offered & Qt::LinkAction)
    event->setDropAction(Qt::LinkAction);
  else
    return false;
  event->accept();
  return true;
}

}  // namespace

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (!TakeAsCopy(event)) event->ignore();
}

void MainWindow::dragMoveEvent(QDragMoveEvent* event) {
  if (!TakeAsCopy(event)) event->ignore();
}

void MainWindow::dropEvent(QDropEvent* event) {
  if (!TakeAsCopy(event)) {
    event->ignore();
    return;
  }
  // The file manager waits for the drop to end: the file opens after that,
  // with its messages over this window.
  const QString path = DroppedFile(event->mimeData());
  QTimer::singleShot(0, this, [this, path] {
    if (fileDropped) fileDropped(path);
  });
}

}  // namespace twk
