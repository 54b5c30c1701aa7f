#include "itemlist/ItemListWidget.h"

#include <QContextMenuEvent>
#include <QDrag>
#include <QHeaderView>
#include <QMimeData>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTimer>
#include <algorithm>

namespace twk {

class ItemListWidget::Quiet {
 public:
  explicit Quiet(ItemListWidget* list) : list_(list) { ++list_->quiet_; }
  ~Quiet() { --list_->quiet_; }

 private:
  ItemListWidget* list_;
};

ItemListWidget::ItemListWidget(QWidget* parent) : QTreeWidget(parent) {
  setColumnCount(1);
  setHeaderLabel(QStringLiteral("Vector stuff"));
  header()->setStretchLastSection(false);
  setColumnWidth(0, 300);
  setRootIsDecorated(false);
  setUniformRowHeights(true);
  setAllColumnsShowFocus(true);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  setDragEnabled(true);
  setAcceptDrops(true);
  viewport()->setAcceptDrops(true);
  setDropIndicatorShown(false);
  setDefaultDropAction(Qt::CopyAction);

  // The selection stays visible while another control has the focus.
  QPalette pal = palette();
  pal.setColor(QPalette::Inactive, QPalette::Highlight, pal.color(QPalette::Active, QPalette::Highlight));
  pal.setColor(QPalette::Inactive, QPalette::HighlightedText,
               pal.color(QPalette::Active, QPalette::HighlightedText));
  setPalette(pal);

  connect(this, &QTreeWidget::itemSelectionChanged, this, [this] { ReportChange(); });
  connect(this, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem*, int) { ReportChange(); });
  header()->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(header(), &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
    if (contextMenuAt) contextMenuAt(header()->mapToGlobal(pos));
  });
}

void ItemListWidget::ReportChange() {
  if (quiet_ > 0) {
    pendingChange_ = true;
    return;
  }
  if (changed) changed();
}

void ItemListWidget::BeginUpdate() {
  if (quiet_++ == 0) pendingChange_ = false;
}

void ItemListWidget::EndUpdate() {
  if (--quiet_ > 0) return;
  const bool anyChange = pendingChange_;
  pendingChange_ = false;
  if (anyChange) ReportChange();
}

int ItemListWidget::RowCount() const { return topLevelItemCount(); }

RowState ItemListWidget::GetRowState(int row) const {
  const QTreeWidgetItem* item = topLevelItem(row);
  if (!item) return {};
  return RowState{item->isSelected(), item->checkState(0) == Qt::Checked};
}

void ItemListWidget::SetRowState(int row, RowState state) {
  QTreeWidgetItem* item = topLevelItem(row);
  if (!item) return;
  bool anyChange = false;
  {
    // Both flags change together and are reported as one change.
    Quiet quiet(this);
    const bool outerPending = pendingChange_;
    pendingChange_ = false;
    // Only real changes reach the view: a no-op still costs a view update,
    // which adds up when a long document is listed.
    const Qt::CheckState check = state.checked ? Qt::Checked : Qt::Unchecked;
    if (item->checkState(0) != check) item->setCheckState(0, check);
    if (item->isSelected() != state.selected) item->setSelected(state.selected);
    if (state.selected) {
      setCurrentItem(item, 0, QItemSelectionModel::NoUpdate);
    } else if (currentItem() == item) {
      selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    }
    anyChange = pendingChange_;
    pendingChange_ = outerPending;
  }
  if (anyChange) ReportChange();
}

TWKDATA* ItemListWidget::RowItem(int row) const {
  const QTreeWidgetItem* item = topLevelItem(row);
  if (!item) return nullptr;
  return reinterpret_cast<TWKDATA*>(item->data(0, Qt::UserRole).value<quintptr>());
}

void ItemListWidget::AttachItem(int row, TWKDATA* data) {
  QTreeWidgetItem* item = topLevelItem(row);
  if (!item) return;
  Quiet quiet(this);
  item->setData(0, Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(data)));
}

void ItemListWidget::InsertRow(int index, const std::string& text) {
  Quiet quiet(this);
  auto* item = new QTreeWidgetItem;
  item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsDragEnabled |
                 Qt::ItemNeverHasChildren);
  item->setText(0, QString::fromStdString(text));
  item->setCheckState(0, Qt::Unchecked);
  insertTopLevelItem(std::clamp(index, 0, topLevelItemCount()), item);
}

void ItemListWidget::RemoveRow(int row) {
  if (row < 0 || row >= topLevelItemCount()) return;
  Quiet quiet(this);
  delete takeTopLevelItem(row);
}

void ItemListWidget::RemoveAllRows() {
  Quiet quiet(this);
  clear();
}

void ItemListWidget::SelectOnly(int row) {
  bool anyChange = false;
  {
    Quiet quiet(this);
    const bool outerPending = pendingChange_;
    pendingChange_ = false;
    clearSelection();
    if (QTreeWidgetItem* item = topLevelItem(row)) {
      item->setSelected(true);
      setCurrentItem(item, 0, QItemSelectionModel::NoUpdate);
      scrollToItem(item);
    }
    anyChange = pendingChange_;
    pendingChange_ = outerPending;
  }
  if (anyChange) ReportChange();
}

int ItemListWidget::FirstSelectedRow() const {
  const int count = topLevelItemCount();
  for (int row = 0; row < count; ++row) {
    if (topLevelItem(row)->isSelected()) return row;
  }
  return -1;
}

std::string ItemListWidget::RowText(int row) const {
  const QTreeWidgetItem* item = topLevelItem(row);
  return item ? item->text(0).toStdString() : std::string();
}

QRect ItemListWidget::checkBoxRect(int row) const {
  QTreeWidgetItem* item = topLevelItem(row);
  if (!item) return {};
  QStyleOptionViewItem option;
  initViewItemOption(&option);
  option.rect = visualItemRect(item);
  option.features |= QStyleOptionViewItem::HasCheckIndicator;
  return style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, this);
}

void ItemListWidget::mousePressEvent(QMouseEvent* event) {
  dragJustEnded_ = false;
  checkBoxPressed_ = false;
  const QPoint at = event->position().toPoint();
  const int pressedRow = indexAt(at).row();
  if (event->button() == Qt::LeftButton && event->modifiers() == Qt::NoModifier && pressedRow >= 0 &&
      checkBoxRect(pressedRow).contains(at)) {
    // A click on a check box toggles the check mark and leaves the
    // selection alone, as in the list controls users know.
    checkBoxPressed_ = true;
    QTreeWidgetItem* item = topLevelItem(pressedRow);
    item->setCheckState(0, item->checkState(0) == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    event->accept();
    return;
  }
  if (event->button() != Qt::RightButton) {
    QTreeWidget::mousePressEvent(event);
    return;
  }
  // A right-click on a row that is not selected selects only that row; on a
  // selected row it keeps the selection; below the rows it deselects all.
  // The menu follows.
  const int row = indexAt(event->position().toPoint()).row();
  if (row < 0 || !topLevelItem(row)->isSelected()) SelectOnly(row);
  event->accept();
}

void ItemListWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (checkBoxPressed_) {  // the press has toggled the box already
    checkBoxPressed_ = false;
    event->accept();
    return;
  }
  // The release that ends a row drag belongs to the drag; handing it to the
  // list would change the selection the drop has just made.
  if (dragJustEnded_) {
    dragJustEnded_ = false;
    event->accept();
    return;
  }
  QTreeWidget::mouseReleaseEvent(event);
}

void ItemListWidget::contextMenuEvent(QContextMenuEvent* event) {
  event->accept();
  if (contextMenuAt) contextMenuAt(event->globalPos());
}

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
  QTreeWidget::dragMoveEvent(event);  // scrolls near the edges
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
  QTreeWidget::dragLeaveEvent(event);
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
  SelectOnly(indexAt(event->position().toPoint()).row());
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
  QTreeWidget::drawRow(painter, option, index);
  if (index.row() != dropTarget_ || index.parent().isValid()) return;
  painter->save();
  painter->setPen(QPen(palette().color(QPalette::Active, QPalette::Highlight), 2));
  painter->drawRect(option.rect.adjusted(1, 1, -1, -1));
  painter->restore();
}

}  // namespace twk
