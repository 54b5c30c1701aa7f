#include "app/ItemListWidget.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <algorithm>
#include <vector>

#include "app/ItemListModel.h"

namespace twk {

ItemListWidget::ItemListWidget(ItemList& items, QWidget* parent)
    : QTreeView(parent), items_(items), model_(new ItemListModel(items, this)) {
  setModel(model_);
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

  connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { SendSelection(); });
  connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { SendSelection(); });
  header()->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(header(), &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
    if (contextMenuAt) contextMenuAt(header()->mapToGlobal(pos));
  });
  items_.AddView(this);
  ShowSelection(-1);
}

ItemListWidget::~ItemListWidget() { items_.RemoveView(this); }

// While rows come and go the view's selection moves with them; that is not
// the user's selection, so none of it goes back to the list.
void ItemListWidget::RowsAboutToChange(const RowEdit& edit) {
  showingBeforeRows_ = showing_;
  showing_ = true;
  model_->RowsAboutToChange(edit);
}

void ItemListWidget::RowsChanged(const RowEdit& edit) {
  model_->RowsChanged(edit);
  showing_ = showingBeforeRows_;
}

void ItemListWidget::RefillStarting() {
  showingBeforeRows_ = showing_;
  showing_ = true;
  model_->RefillStarting();
}

void ItemListWidget::RefillEnded() {
  model_->RefillEnded();
  showing_ = showingBeforeRows_;
}

void ItemListWidget::ListChanged(const ListChange& change) {
  // The rows have followed already; a selection the view asked for it
  // shows already.
  const bool asked = showing_;
  showing_ = true;
  model_->Follow(change);
  if (!asked && (change.rows || change.selection)) ShowSelection(change.scrollTo);
  showing_ = asked;
}

void ItemListWidget::ShowSelection(int scrollRow) {
  const bool wasShowing = showing_;
  showing_ = true;
  QItemSelection selection;
  for (const auto& [first, last] : items_.SelectedRuns()) {
    selection.select(model_->index(first), model_->index(last));
  }
  selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  const int current = items_.CurrentRow();
  selectionModel()->setCurrentIndex(current >= 0 ? model_->index(current) : QModelIndex(),
                                    QItemSelectionModel::NoUpdate);
  if (scrollRow >= 0) scrollTo(model_->index(scrollRow));
  showing_ = wasShowing;
}

void ItemListWidget::SendSelection() {
  if (showing_) return;
  std::vector<RowRun> runs;
  for (const QItemSelectionRange& range : selectionModel()->selection()) {
    if (range.isValid()) runs.emplace_back(range.top(), range.bottom());
  }
  std::sort(runs.begin(), runs.end());
  std::vector<RowRun> merged;
  for (const RowRun& run : runs) {
    if (!merged.empty() && run.first <= merged.back().second + 1) {
      merged.back().second = std::max(merged.back().second, run.second);
    } else {
      merged.push_back(run);
    }
  }
  showing_ = true;
  items_.Select(merged, selectionModel()->currentIndex().row(), false);
  showing_ = false;
}

QRect ItemListWidget::rowRect(int row) const { return visualRect(model_->index(row)); }

QRect ItemListWidget::checkBoxRect(int row) const {
  if (row < 0 || row >= items_.RowCount()) return {};
  QStyleOptionViewItem option;
  initViewItemOption(&option);
  option.rect = rowRect(row);
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
    items_.SetChecked(pressedRow, !items_.GetRowState(pressedRow).checked);
    event->accept();
    return;
  }
  if (event->button() != Qt::RightButton) {
    QTreeView::mousePressEvent(event);
    return;
  }
  // A right-click on a row that is not selected selects only that row; on a
  // selected row it keeps the selection; below the rows it deselects all.
  // The menu follows.
  if (pressedRow < 0 || !items_.GetRowState(pressedRow).selected) items_.SelectOnly(pressedRow);
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
  QTreeView::mouseReleaseEvent(event);
}

void ItemListWidget::contextMenuEvent(QContextMenuEvent* event) {
  event->accept();
  if (contextMenuAt) contextMenuAt(event->globalPos());
}

}  // namespace twk
