// lstItems' side of row drag and drop: the drag carries the row's text as
// plain text with the copy action only; while text is dragged over the list
// the row under the pointer is marked as the drop target; a drop selects
// that row alone and hands the text on after the drag has ended.

#include <QDrag>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QPainter>
#include <QTimer>

#include "app/ItemListWidget.h"

namespace twk {

void ItemListWidget::startDrag(Qt::DropActions) {
  const QString text = dragStarting ? dragStarting() : QString();
  if (text.isEmpty()) return;
  auto* mime = new QMimeData;
  mime->setText(text);
  dragging_ = true;
  droppedHere_ = false;
  if (runDrag) {
    runDrag(mime);
    delete mime;
  } else {
    auto* drag = new QDrag(this);
    drag->setMimeData(mime);
    drag->exec(Qt::CopyAction, Qt::CopyAction);
  }
  dragging_ = false;
  dragJustEnded_ = true;
  SetDropTarget(-1);
  if (!droppedHere_ && dragEndedElsewhere) dragEndedElsewhere();
}

bool ItemListWidget::AcceptsDrop(const QMimeData* data) {
  return data && data->hasText() && !data->hasUrls() && !data->hasImage();
}

void ItemListWidget::dragEnterEvent(QDragEnterEvent* event) {
  if (AcceptsDrop(event->mimeData()) && (event->possibleActions() & Qt::CopyAction)) {
    event->setDropAction(Qt::CopyAction);
    event->accept();
  } else {
    event->ignore();
  }
}

void ItemListWidget::dragMoveEvent(QDragMoveEvent* event) {
  QTreeView::dragMoveEvent(event);  // scrolls near the edges
  if (AcceptsDrop(event->mimeData()) && (event->possibleActions() & Qt::CopyAction)) {
    SetDropTarget(indexAt(event->position().toPoint()).row());
    event->setDropAction(Qt::CopyAction);
    event->accept();
  } else {
    SetDropTarget(-1);
    event->ignore();
  }
}

void ItemListWidget::dragLeaveEvent(QDragLeaveEvent* event) {
  QTreeView::dragLeaveEvent(event);
  SetDropTarget(-1);
}

void ItemListWidget::dropEvent(QDropEvent* event) {
  SetDropTarget(-1);
  if (!AcceptsDrop(event->mimeData()) || !(event->possibleActions() & Qt::CopyAction)) {
    event->ignore();
    return;
  }
  event->setDropAction(Qt::CopyAction);
  event->accept();
  if (dragging_) droppedHere_ = true;
  items_.SelectOnly(indexAt(event->position().toPoint()).row());
  // The move itself waits until the drag operation has returned.
  const QString text = event->mimeData()->text();
  QTimer::singleShot(0, this, [this, text] {
    if (textDropped) textDropped(text);
  });
}

void ItemListWidget::SetDropTarget(int row) {
  if (row == dropTarget_) return;
  dropTarget_ = row;
  viewport()->update();
}

void ItemListWidget::drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  QTreeView::drawRow(painter, option, index);
  if (index.row() != dropTarget_ || index.parent().isValid()) return;
  painter->save();
  painter->setPen(QPen(palette().color(QPalette::Active, QPalette::Highlight), 2));
  painter->drawRect(option.rect.adjusted(1, 1, -1, -1));
  painter->restore();
}

}  // namespace twk
