#include "app/ItemListWidget.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QStyle>
#include <QStyleOptionViewItem>
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

}  // namespace twk
